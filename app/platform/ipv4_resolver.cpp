#include "ipv4_resolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace vantrel::platform {

std::optional<std::string> resolveIpv4(const std::string& host) {
  if (host.empty()) return std::nullopt;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return std::nullopt;
  std::optional<std::string> address;
  char text[INET_ADDRSTRLEN] = {};
  const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  if (::inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text)) address = text;
  ::freeaddrinfo(found);
  return address;
}

}  // namespace vantrel::platform
