#include "base64.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vantrel::backup {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr int kNotBase64 = -1;

constexpr std::array<int, 256> kValues = [] {
  std::array<int, 256> values{};
  values.fill(kNotBase64);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i)
    values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
  return values;
}();

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

std::string encodeBase64(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
    std::uint32_t group = 0;
    for (std::size_t i = 0; i < 3; ++i) {
      const auto byte = i < count ? static_cast<unsigned char>(bytes[at + i]) : 0u;
      group = (group << 8) | byte;
    }
    // Three bytes make four characters; a short last group is padded to four with '='.
    for (std::size_t i = 0; i < 4; ++i)
      out.push_back(i <= count ? kAlphabet[(group >> (18 - 6 * i)) & 0x3F] : '=');
  }
  return out;
}

std::optional<std::string> decodeBase64(std::string_view text) {
  std::string out;
  std::uint32_t bits = 0;
  int bitCount = 0;
  std::size_t characters = 0;
  std::size_t padding = 0;
  for (const char c : text) {
    if (isSpace(c)) continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const int value = kValues[static_cast<unsigned char>(c)];
    if (value == kNotBase64 || padding != 0) return std::nullopt;
    ++characters;
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    bitCount += 6;
    if (bitCount >= 8) {
      bitCount -= 8;
      out.push_back(static_cast<char>((bits >> bitCount) & 0xFF));
    }
  }
  // A lone character in the last group is no byte at all; padding, when present, fills the group.
  const std::size_t tail = characters % 4;
  if (tail == 1) return std::nullopt;
  if (padding != 0 && (tail == 0 || tail + padding != 4)) return std::nullopt;
  return out;
}

}  // namespace vantrel::backup
