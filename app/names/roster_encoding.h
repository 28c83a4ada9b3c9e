// The text of a roster file, whatever a school office's spreadsheet saved it as: UTF-8 with or
// without a byte-order mark, UTF-16 in either byte order (with a mark, or recognised by its NUL
// bytes), or else Windows-1252, the "ANSI" of Western European spreadsheets.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::names {

enum class RosterEncoding { Utf8, Utf8WithBom, Utf16LE, Utf16BE, Windows1252 };

struct DecodedRoster {
  std::string text;  // valid UTF-8, without a byte-order mark or NUL characters
  RosterEncoding encoding = RosterEncoding::Utf8;
};

// Decodes a roster file's bytes to UTF-8. Never fails: bytes that fit no sequence of the detected
// encoding become U+FFFD (UTF-16) or are read as Windows-1252 (UTF-8 with a mark).
DecodedRoster decodeRosterBytes(std::string_view bytes);

// "UTF-8", "UTF-8 with BOM", "UTF-16 LE", "UTF-16 BE" or "Windows-1252".
std::string_view encodingTitle(RosterEncoding encoding);

}  // namespace vantrel::names
