#include "roster_encoding.h"

#include <algorithm>
#include <array>

#include "utf8_codec.h"

namespace vantrel::names {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// How much of the file the NUL pattern of byte-order-less UTF-16 is judged on.
constexpr std::size_t kSniffBytes = 4096;

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to the C1 controls of the same value,
// as browsers read them.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t windows1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

// NUL characters would cut a name short wherever it meets a C string (a folder name, say).
void appendCharacter(std::string& out, char32_t cp) {
  if (cp != 0) appendUtf8(out, cp);
}

std::string fromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) appendCharacter(out, windows1252(static_cast<unsigned char>(c)));
  return out;
}

// UTF-8 as it is, except that a byte no sequence accounts for is read as Windows-1252: a file
// saved as UTF-8 and then extended by an older program still gives readable names.
std::string fromUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t start = pos;
    const char32_t cp = decodeUtf8At(bytes, pos);
    appendCharacter(
        out, cp == kInvalidCodePoint ? windows1252(static_cast<unsigned char>(bytes[start])) : cp);
  }
  return out;
}

std::string fromUtf16(std::string_view bytes, bool littleEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unitAt = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return littleEndian ? (second << 8) | first : (first << 8) | second;
  };
  // A last odd byte is half a character: dropped.
  const std::size_t end = bytes.size() & ~std::size_t{1};
  for (std::size_t i = 0; i < end; i += 2) {
    char32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 2 < end) {
      const char32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    appendCharacter(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacementCharacter : unit);
  }
  return out;
}

enum class NulPattern { None, LittleEndian, BigEndian };

// Latin text in UTF-16 has a NUL in every other byte: the high byte of each character. Text in
// an 8-bit encoding has none at all.
NulPattern nulPattern(std::string_view bytes) {
  const std::string_view sample =
      bytes.substr(0, std::min(bytes.size(), kSniffBytes) & ~std::size_t{1});
  const std::size_t units = sample.size() / 2;
  if (units == 0) return NulPattern::None;
  std::size_t evenNuls = 0;
  std::size_t oddNuls = 0;
  for (std::size_t i = 0; i < sample.size(); i += 2) {
    evenNuls += sample[i] == '\0' ? 1 : 0;
    oddNuls += sample[i + 1] == '\0' ? 1 : 0;
  }
  if (oddNuls * 2 >= units && evenNuls * 10 < units) return NulPattern::LittleEndian;
  if (evenNuls * 2 >= units && oddNuls * 10 < units) return NulPattern::BigEndian;
  return NulPattern::None;
}

}  // namespace

DecodedRoster decodeRosterBytes(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) {
    return {fromUtf8(bytes.substr(kUtf8Bom.size())), RosterEncoding::Utf8WithBom};
  }
  if (bytes.starts_with(kUtf16LeBom)) {
    return {fromUtf16(bytes.substr(2), true), RosterEncoding::Utf16LE};
  }
  if (bytes.starts_with(kUtf16BeBom)) {
    return {fromUtf16(bytes.substr(2), false), RosterEncoding::Utf16BE};
  }
  switch (nulPattern(bytes)) {
    case NulPattern::LittleEndian:
      return {fromUtf16(bytes, true), RosterEncoding::Utf16LE};
    case NulPattern::BigEndian:
      return {fromUtf16(bytes, false), RosterEncoding::Utf16BE};
    case NulPattern::None:
      break;
  }
  if (isValidUtf8(bytes)) return {fromUtf8(bytes), RosterEncoding::Utf8};
  return {fromWindows1252(bytes), RosterEncoding::Windows1252};
}

std::string_view encodingTitle(RosterEncoding encoding) {
  switch (encoding) {
    case RosterEncoding::Utf8WithBom:
      return "UTF-8 with BOM";
    case RosterEncoding::Utf16LE:
      return "UTF-16 LE";
    case RosterEncoding::Utf16BE:
      return "UTF-16 BE";
    case RosterEncoding::Windows1252:
      return "Windows-1252";
    case RosterEncoding::Utf8:
      break;
  }
  return "UTF-8";
}

}  // namespace vantrel::names
