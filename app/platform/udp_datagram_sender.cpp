#include "udp_datagram_sender.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vantrel::platform {

bool UdpDatagramSender::send(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& destination) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(destination.port);
  if (::inet_pton(AF_INET, destination.address.c_str(), &to.sin_addr) != 1) return false;

  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  // The wake packet goes to the broadcast address, which needs this.
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  const ssize_t sent = ::sendto(fd, bytes.data(), bytes.size(), 0,
                                reinterpret_cast<const sockaddr*>(&to), sizeof to);
  ::close(fd);
  return sent >= 0 && static_cast<std::size_t>(sent) == bytes.size();
}

}  // namespace vantrel::platform
