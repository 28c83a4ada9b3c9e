#include "wake_on_lan.h"

#include <algorithm>

namespace vantrel::backup {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// One hexadecimal number as scanf's "%x" reads it (leading blanks, an optional "0x"), kept to
// its low 8 bits so that an over-long number cannot overflow.
std::optional<std::uint8_t> readHexByte(std::string_view& text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
      hexValue(text[2]) >= 0)
    text.remove_prefix(2);
  if (text.empty() || hexValue(text.front()) < 0) return std::nullopt;
  unsigned value = 0;
  while (!text.empty() && hexValue(text.front()) >= 0) {
    value = ((value << 4) | static_cast<unsigned>(hexValue(text.front()))) & 0xFF;
    text.remove_prefix(1);
  }
  return static_cast<std::uint8_t>(value);
}

}  // namespace

std::optional<HardwareAddress> parseHardwareAddress(std::string_view text) {
  HardwareAddress address{};
  for (std::size_t i = 0; i < address.size(); ++i) {
    if (i > 0) {
      if (text.empty() || text.front() != ':') return std::nullopt;
      text.remove_prefix(1);
    }
    const std::optional<std::uint8_t> byte = readHexByte(text);
    if (!byte) return std::nullopt;
    address[i] = *byte;
  }
  return address;
}

WakePacket wakeOnLanPacket(const HardwareAddress& address) {
  WakePacket packet{};
  std::fill_n(packet.begin(), 6, std::uint8_t{0xFF});
  for (std::size_t copy = 0; copy < 16; ++copy)
    std::copy(address.begin(), address.end(), packet.begin() + 6 + copy * address.size());
  return packet;
}

bool sendWakeOnLANToMAC(std::string_view hardwareAddress, platform::DatagramSender& sender,
                        const platform::Ipv4Endpoint& destination) {
  const std::optional<HardwareAddress> address = parseHardwareAddress(hardwareAddress);
  if (!address) return false;
  const WakePacket packet = wakeOnLanPacket(*address);
  return sender.send(packet, destination);
}

}  // namespace vantrel::backup
