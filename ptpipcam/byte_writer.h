// Builds the little-endian byte layout of PTP/IP packets and PTP datasets.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ptpipcam {

class ByteWriter {
 public:
  // A PTP string holds at most this many UTF-16 units, its closing NUL included.
  static constexpr std::size_t kMaxStringUnits = 255;

  void u8(uint8_t value);
  void u16(uint16_t value);
  void u32(uint32_t value);
  void u64(uint64_t value);
  void bytes(std::span<const uint8_t> data);

  // A PTP string: one byte counting the UTF-16 units including the closing NUL, then the units.
  // The empty string is the count 0 alone. A longer text is cut (never inside a surrogate pair).
  void ptp_string(std::string_view utf8);
  // UTF-16 with a closing NUL and no count, as the PTP/IP init packets carry names.
  void nul_terminated_utf16(std::string_view utf8);
  // A PTP array: a 32-bit element count, then the elements.
  void u16_array(std::span<const uint16_t> values);
  void u32_array(std::span<const uint32_t> values);

  std::size_t size() const { return data_.size(); }
  const std::vector<uint8_t>& data() const { return data_; }
  std::vector<uint8_t> take() { return std::move(data_); }

 private:
  std::vector<uint8_t> data_;
};

}  // namespace ptpipcam
