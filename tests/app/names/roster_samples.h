// Roster files shaped as school offices hand them over, shared by the names tests and the
// window tests.
#pragma once

#include <string>
#include <string_view>

namespace roster_samples {

// The bytes of UTF-16 text in either byte order, with or without a byte-order mark.
inline std::string utf16(std::u16string_view text, bool littleEndian, bool bom) {
  std::string bytes;
  const std::u16string all = bom ? u"\uFEFF" + std::u16string(text) : std::u16string(text);
  for (char16_t unit : all) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += littleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

// A European spreadsheet's CSV: Windows-1252, semicolons, a name quoted for its semicolon.
inline const std::string kWindows1252Semicolons =
    "Nachname;Vorname;Klasse\r\n"
    "M\xFCller;J\xFCrgen;5b\r\n"
    "\"Gro\xDF; Jr.\";\xC9lodie;5b\r\n"
    "\x8Aurlan;Zo\xEB;6a\r\n";

// Excel's "Unicode Text": UTF-16 with tabs and CRLF.
inline constexpr std::u16string_view kUnicodeText =
    u"Name\tID\tTeacher\r\n\u00C5sa Lind\t4711\tMrs \u0141ucka\r\n\u674E\u96F7\t4712\t\r\n";
inline std::string unicodeTextFile() {
  return utf16(kUnicodeText, true, true);
}

// UTF-8 with the CR-only line ends of old Mac spreadsheets, and a blank line.
inline const std::string kCarriageReturns = "Name,Grade\rAnn Lee,3\rBo Ng,4\r\rCy,5";

// A note over two lines in quotes (with doubled quotes inside), saved with a UTF-8 mark.
inline const std::string kMultiLineNote =
    "\xEF\xBB\xBFName,Notes,Class\r\n"
    "Ann,\"glasses off\r\nretake \"\"blue\"\"\",5b\r\n"
    "Bo,,5b\r\n";

// First and last names in columns of their own, some missing.
inline const std::string kFirstLastColumns =
    "ID,Last,First,Class\n1, Lee ,Ann,5b\n2,Ng,,5b\n3,,Cy,6a\n4,,,6a\n";

}  // namespace roster_samples
