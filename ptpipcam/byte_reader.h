// Reads the little-endian fields of a received PTP/IP packet. Reading past the end yields zeros
// and marks the reader failed, so a parser checks ok() once at the end instead of at every field.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace ptpipcam {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

  uint8_t u8();
  uint16_t u16();
  uint32_t u32();
  uint64_t u64();
  // UTF-16 up to and including a closing NUL, as UTF-8. Fails when there is no NUL.
  std::string nul_terminated_utf16();
  // A PTP string (count byte, units with a closing NUL), as UTF-8.
  std::string ptp_string();

  bool ok() const { return ok_; }
  std::size_t remaining() const { return data_.size() - at_; }

 private:
  bool take(std::size_t count);

  std::span<const uint8_t> data_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace ptpipcam
