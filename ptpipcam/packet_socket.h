// One PTP/IP connection's stream cut into packets. Every packet starts with a 32-bit length (the
// whole packet, these 8 header bytes included) and a 32-bit packet type, both little-endian.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace ptpipcam {

struct Packet {
  uint32_t type = 0;
  std::vector<uint8_t> payload;
};

class PacketSocket {
 public:
  static constexpr std::size_t kHeaderBytes = 8;
  // Far above anything an initiator sends this camera; a longer length field is a broken stream.
  static constexpr std::size_t kMaxReadPacketBytes = 64 * 1024 * 1024;

  // Takes ownership of the connected socket `fd`.
  explicit PacketSocket(int fd);
  ~PacketSocket();
  PacketSocket(const PacketSocket&) = delete;
  PacketSocket& operator=(const PacketSocket&) = delete;

  // The header bytes of a packet of `type` carrying `payload_bytes`.
  static std::vector<uint8_t> header(uint32_t type, std::size_t payload_bytes);

  // The next whole packet; nothing at the end of the stream, on an error, or when the length
  // field is impossible (shorter than the header or over kMaxReadPacketBytes).
  std::optional<Packet> read_packet();
  // Writes one packet whose payload is `head` followed by `bulk`, without copying the bulk. Whole
  // packets never interleave when several threads write.
  bool write_packet(uint32_t type, std::span<const uint8_t> head,
                    std::span<const uint8_t> bulk = {});
  // Ends both directions, so that a thread blocked on this socket returns at once.
  void shut_down();

 private:
  bool read_exact(uint8_t* out, std::size_t count);

  int fd_;
  std::mutex write_mutex_;
};

}  // namespace ptpipcam
