#include "utf16.h"

#include <cstdint>

#include "utf8_encode.h"

namespace ptpipcam {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character at `at`, advancing past it; an invalid sequence yields U+FFFD and
// advances by one byte.
char32_t next_code_point(std::string_view utf8, std::size_t& at) {
  const auto lead = static_cast<uint8_t>(utf8[at]);
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++at;
    return kReplacement;
  }
  if (at + static_cast<std::size_t>(extra) >= utf8.size()) {
    ++at;
    return kReplacement;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<uint8_t>(utf8[at + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return kReplacement;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++at;
    return kReplacement;
  }
  at += static_cast<std::size_t>(extra) + 1;
  return cp;
}

bool is_high_surrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string utf8_to_utf16(std::string_view utf8) {
  std::u16string out;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const char32_t cp = next_code_point(utf8, at);
    if (cp < 0x10000) {
      out.push_back(static_cast<char16_t>(cp));
    } else {
      const char32_t v = cp - 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    }
  }
  return out;
}

std::string utf16_to_utf8(std::u16string_view utf16) {
  std::string out;
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (is_high_surrogate(unit) && i + 1 < utf16.size() && is_low_surrogate(utf16[i + 1])) {
      vantrel::append_utf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                    (static_cast<char32_t>(utf16[i + 1]) - 0xDC00));
      ++i;
    } else if (is_high_surrogate(unit) || is_low_surrogate(unit)) {
      vantrel::append_utf8(out, kReplacement);
    } else {
      vantrel::append_utf8(out, unit);
    }
  }
  return out;
}

}  // namespace ptpipcam
