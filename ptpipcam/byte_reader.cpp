#include "byte_reader.h"

#include "utf16.h"

namespace ptpipcam {

bool ByteReader::take(std::size_t count) {
  if (!ok_ || remaining() < count) {
    ok_ = false;
    return false;
  }
  return true;
}

uint8_t ByteReader::u8() {
  if (!take(1)) return 0;
  return data_[at_++];
}

uint16_t ByteReader::u16() {
  if (!take(2)) return 0;
  const auto value = static_cast<uint16_t>(data_[at_] | data_[at_ + 1] << 8);
  at_ += 2;
  return value;
}

uint32_t ByteReader::u32() {
  const uint32_t low = u16();
  const uint32_t high = u16();
  return low | high << 16;
}

uint64_t ByteReader::u64() {
  const uint64_t low = u32();
  const uint64_t high = u32();
  return low | high << 32;
}

std::string ByteReader::nul_terminated_utf16() {
  std::u16string units;
  for (;;) {
    const char16_t unit = u16();
    if (!ok_) return {};
    if (unit == 0) break;
    units.push_back(unit);
  }
  return utf16_to_utf8(units);
}

std::string ByteReader::ptp_string() {
  const uint8_t count = u8();
  if (count == 0) return {};
  std::u16string units;
  for (uint8_t i = 0; i < count; ++i) units.push_back(u16());
  if (!ok_ || units.back() != 0) {
    ok_ = false;
    return {};
  }
  units.pop_back();
  return utf16_to_utf8(units);
}

}  // namespace ptpipcam
