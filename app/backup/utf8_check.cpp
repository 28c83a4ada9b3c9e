#include "utf8_check.h"

namespace vantrel::backup {

namespace {

struct ByteRange {
  unsigned char low;
  unsigned char high;
  bool holds(unsigned char byte) const { return byte >= low && byte <= high; }
};

constexpr ByteRange kContinuation{0x80, 0xBF};

// The range allowed for the byte after `lead`: narrower than a plain continuation byte where
// the wider one would allow an overlong form, a surrogate or a code point past U+10FFFF.
ByteRange secondByteAfter(unsigned char lead) {
  switch (lead) {
    case 0xE0:
      return {0xA0, 0xBF};
    case 0xED:
      return {0x80, 0x9F};
    case 0xF0:
      return {0x90, 0xBF};
    case 0xF4:
      return {0x80, 0x8F};
    default:
      return kContinuation;
  }
}

// How many bytes a sequence starting with `lead` has; 0 for a byte no sequence may start with.
std::size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = sequenceLength(lead);
    if (length == 0 || bytes.size() - at < length) return false;
    for (std::size_t i = 1; i < length; ++i) {
      const ByteRange allowed = i == 1 ? secondByteAfter(lead) : kContinuation;
      if (!allowed.holds(static_cast<unsigned char>(bytes[at + i]))) return false;
    }
    at += length;
  }
  return true;
}

}  // namespace vantrel::backup
