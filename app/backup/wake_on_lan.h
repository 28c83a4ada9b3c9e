// The wake-on-LAN magic packet that wakes a sleeping network drive.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "datagram_sender.h"

namespace vantrel::backup {

using HardwareAddress = std::array<std::uint8_t, 6>;
using WakePacket = std::array<std::uint8_t, 102>;

// Where the application sends the packet: every host on the local link, the discard port.
// Tests pass a socket of their own on 127.0.0.1 instead.
inline const platform::Ipv4Endpoint kWakeOnLanBroadcast{"255.255.255.255", 9};

// Six hexadecimal numbers separated by colons ("aa:bb:cc:dd:ee:ff"); each number's low 8 bits
// give one byte. Nothing when fewer than six numbers can be read.
std::optional<HardwareAddress> parseHardwareAddress(std::string_view text);

// Six 0xFF bytes, then the address sixteen times.
WakePacket wakeOnLanPacket(const HardwareAddress& address);

// Sends the packet for `hardwareAddress` to `destination`; true when all 102 bytes went out.
bool sendWakeOnLANToMAC(std::string_view hardwareAddress, platform::DatagramSender& sender,
                        const platform::Ipv4Endpoint& destination);

}  // namespace vantrel::backup
