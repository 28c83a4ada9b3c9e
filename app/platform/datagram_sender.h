// Sending one UDP datagram (the wake-on-LAN packet). The destination is always given by the
// caller, so tests can aim at a socket of their own on 127.0.0.1.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vantrel::platform {

struct Ipv4Endpoint {
  std::string address;  // dotted IPv4 address, never a host name
  std::uint16_t port = 0;
};

class DatagramSender {
 public:
  virtual ~DatagramSender() = default;
  // True when the whole datagram was handed to the network.
  virtual bool send(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& destination) = 0;
};

}  // namespace vantrel::platform
