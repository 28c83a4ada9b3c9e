// INDEX.TXT, the package's index: a header row with the thirteen column names, then one row per
// person, cells separated by a tab, in UTF-8 without a byte-order mark, every line (the last one
// too) ending in CR LF as the guidelines' Windows text files do. A tab or line break inside a
// value becomes a space and values are trimmed, so a value can never shift or split a row.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pspa_columns.h"

namespace vantrel::yearbook {

inline constexpr std::string_view kIndexFileName = "INDEX.TXT";
inline constexpr std::string_view kLineEnd = "\r\n";

// One person's values in column order.
using IndexRecord = std::array<std::string, kPspaColumnCount>;

std::string indexFileText(const std::vector<IndexRecord>& records);

// The value as it stands in a cell: tabs and line breaks as spaces, trimmed.
std::string indexCell(std::string_view value);

}  // namespace vantrel::yearbook
