// Names as plain ASCII: file names that every publisher's software reads, and keys that compare
// column names in any of the roster languages.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::yearbook {

// The text with Latin letters carrying accents written as their base letters ("é" → "e",
// "ß" → "ss", "Æ" → "AE", "Ł" → "L"); other non-ASCII characters and bytes that are not UTF-8
// are dropped, ASCII passes unchanged.
std::string asciiTransliterated(std::string_view text);

// The key two column names share when they mean the same to a reader: transliterated, lower
// case, letters and digits only ("Home Room", "home_room" and "HomeRoom" give "homeroom").
std::string columnNameKey(std::string_view name);

}  // namespace vantrel::yearbook
