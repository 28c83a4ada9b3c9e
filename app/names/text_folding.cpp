#include "text_folding.h"

#include <cstdint>

#include "utf8_codec.h"

namespace vantrel::names {

namespace {

char32_t lowerCodePoint(char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 32;
  if (cp < 0xC0) return cp;
  if (cp <= 0xDE) return cp == 0xD7 ? cp : cp + 32;  // Latin-1, except the multiplication sign
  if (cp >= 0x100 && cp <= 0x17F) {                  // Latin Extended-A pairs
    if (cp == 0x178) return 0xFF;
    const bool evenUpper =
        (cp <= 0x12F) || (cp >= 0x132 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177);
    const bool oddUpper = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
    if (evenUpper && cp % 2 == 0) return cp + 1;
    if (oddUpper && cp % 2 == 1) return cp + 1;
    return cp;
  }
  if (cp == 0x386) return 0x3AC;  // Greek accented capitals
  if (cp >= 0x388 && cp <= 0x38A) return cp + 37;
  if (cp == 0x38C) return 0x3CC;
  if (cp == 0x38E || cp == 0x38F) return cp + 63;
  if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 32;
  if (cp >= 0x400 && cp <= 0x40F) return cp + 80;  // Cyrillic
  if (cp >= 0x410 && cp <= 0x42F) return cp + 32;
  return cp;
}

}  // namespace

std::string utf8FallbackLower(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t cp = decodeUtf8At(text, pos);
    if (cp == kInvalidCodePoint)
      out += text[start];
    else
      appendUtf8(out, lowerCodePoint(cp));
  }
  return out;
}

int utf8FallbackCompare(std::string_view a, std::string_view b) {
  // Invalid bytes sort after every code point, by their value.
  const auto key = [](std::string_view text, std::size_t& pos) -> std::uint64_t {
    const std::size_t start = pos;
    const char32_t cp = decodeUtf8At(text, pos);
    if (cp == kInvalidCodePoint) return 0x110000u + static_cast<unsigned char>(text[start]);
    return lowerCodePoint(cp);
  };
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::uint64_t x = key(a, i);
    const std::uint64_t y = key(b, j);
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

std::vector<Utf8Piece> utf8Pieces(std::string_view text) {
  std::vector<Utf8Piece> pieces;
  std::size_t runStart = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    if (decodeUtf8At(text, pos) != kInvalidCodePoint) continue;
    if (start > runStart) pieces.push_back({text.substr(runStart, start - runStart), true});
    pieces.push_back({text.substr(start, 1), false});
    runStart = pos;
  }
  if (runStart < text.size()) pieces.push_back({text.substr(runStart), true});
  return pieces;
}

TextFolding utf8FallbackFolding() {
  return TextFolding{utf8FallbackLower, utf8FallbackCompare};
}

}  // namespace vantrel::names
