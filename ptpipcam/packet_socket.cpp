#include "packet_socket.h"

#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "byte_reader.h"
#include "byte_writer.h"

namespace ptpipcam {

PacketSocket::PacketSocket(int fd) : fd_(fd) {}

PacketSocket::~PacketSocket() {
  ::close(fd_);
}

std::vector<uint8_t> PacketSocket::header(uint32_t type, std::size_t payload_bytes) {
  ByteWriter writer;
  writer.u32(static_cast<uint32_t>(kHeaderBytes + payload_bytes));
  writer.u32(type);
  return writer.take();
}

bool PacketSocket::read_exact(uint8_t* out, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::recv(fd_, out + done, count - done, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<Packet> PacketSocket::read_packet() {
  uint8_t raw_header[kHeaderBytes];
  if (!read_exact(raw_header, sizeof raw_header)) return std::nullopt;
  ByteReader reader(raw_header);
  const uint32_t length = reader.u32();
  Packet packet;
  packet.type = reader.u32();
  if (length < kHeaderBytes || length > kMaxReadPacketBytes) return std::nullopt;
  packet.payload.resize(length - kHeaderBytes);
  if (!read_exact(packet.payload.data(), packet.payload.size())) return std::nullopt;
  return packet;
}

bool PacketSocket::write_packet(uint32_t type, std::span<const uint8_t> head,
                                std::span<const uint8_t> bulk) {
  const std::vector<uint8_t> start = header(type, head.size() + bulk.size());
  iovec parts[3] = {
      {const_cast<uint8_t*>(start.data()), start.size()},
      {const_cast<uint8_t*>(head.data()), head.size()},
      {const_cast<uint8_t*>(bulk.data()), bulk.size()},
  };
  std::size_t first = 0;
  std::lock_guard lock(write_mutex_);
  while (first < 3) {
    if (parts[first].iov_len == 0) {
      ++first;
      continue;
    }
    msghdr message{};
    message.msg_iov = &parts[first];
    message.msg_iovlen = 3 - first;
    // A client that went away must not end the camera with SIGPIPE.
    const ssize_t n = ::sendmsg(fd_, &message, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    auto sent = static_cast<std::size_t>(n);
    while (sent > 0 && first < 3) {
      const std::size_t step = std::min(sent, parts[first].iov_len);
      parts[first].iov_base = static_cast<uint8_t*>(parts[first].iov_base) + step;
      parts[first].iov_len -= step;
      sent -= step;
      if (parts[first].iov_len == 0) ++first;
    }
  }
  return true;
}

void PacketSocket::shut_down() {
  ::shutdown(fd_, SHUT_RDWR);
}

}  // namespace ptpipcam
