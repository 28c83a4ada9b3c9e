#include "byte_writer.h"

#include "utf16.h"

namespace ptpipcam {

void ByteWriter::u8(uint8_t value) {
  data_.push_back(value);
}

void ByteWriter::u16(uint16_t value) {
  data_.push_back(static_cast<uint8_t>(value));
  data_.push_back(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::u32(uint32_t value) {
  u16(static_cast<uint16_t>(value));
  u16(static_cast<uint16_t>(value >> 16));
}

void ByteWriter::u64(uint64_t value) {
  u32(static_cast<uint32_t>(value));
  u32(static_cast<uint32_t>(value >> 32));
}

void ByteWriter::bytes(std::span<const uint8_t> data) {
  data_.insert(data_.end(), data.begin(), data.end());
}

void ByteWriter::ptp_string(std::string_view utf8) {
  std::u16string units = utf8_to_utf16(utf8);
  if (units.empty()) {
    u8(0);
    return;
  }
  if (units.size() > kMaxStringUnits - 1) {
    std::size_t keep = kMaxStringUnits - 1;
    // A high surrogate without its partner would not decode.
    if (units[keep - 1] >= 0xD800 && units[keep - 1] <= 0xDBFF) --keep;
    units.resize(keep);
  }
  u8(static_cast<uint8_t>(units.size() + 1));
  for (const char16_t unit : units) u16(unit);
  u16(0);
}

void ByteWriter::nul_terminated_utf16(std::string_view utf8) {
  for (const char16_t unit : utf8_to_utf16(utf8)) u16(unit);
  u16(0);
}

void ByteWriter::u16_array(std::span<const uint16_t> values) {
  u32(static_cast<uint32_t>(values.size()));
  for (const uint16_t v : values) u16(v);
}

void ByteWriter::u32_array(std::span<const uint32_t> values) {
  u32(static_cast<uint32_t>(values.size()));
  for (const uint32_t v : values) u32(v);
}

}  // namespace ptpipcam
