// Sends datagrams from a fresh IPv4 UDP socket with broadcasting allowed.
#pragma once

#include "datagram_sender.h"

namespace vantrel::platform {

class UdpDatagramSender : public DatagramSender {
 public:
  bool send(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& destination) override;
};

}  // namespace vantrel::platform
