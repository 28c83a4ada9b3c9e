// Writes one Unicode code point as UTF-8, for the readers that decode other encodings (XML
// character references, PTP's UTF-16).
#pragma once

#include <string>

namespace vantrel {

// Appends the one to four bytes of `code` (at most U+10FFFF; surrogates are the caller's care).
void append_utf8(std::string& out, char32_t code);

}  // namespace vantrel
