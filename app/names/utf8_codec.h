// UTF-8 encoding and decoding of single code points, shared by case folding and by the reading
// of roster files in other encodings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::names {

// What decodeUtf8At answers for a byte that does not start a valid sequence.
inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at `pos` and advances past it. An invalid, overlong, surrogate or cut-off
// sequence yields kInvalidCodePoint and advances by one byte.
char32_t decodeUtf8At(std::string_view text, std::size_t& pos);

// Appends the UTF-8 bytes of a code point (a surrogate or a value beyond U+10FFFF appends U+FFFD).
void appendUtf8(std::string& out, char32_t cp);

bool isValidUtf8(std::string_view text);

}  // namespace vantrel::names
