// The CSV dialect shared by the grid store, the export and the import.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::names {

// Quotes a value holding a comma, a double quote, a CR or an LF, doubling inner quotes;
// anything else, the empty value included, is returned unchanged.
std::string csv_escape_cell(std::string_view value);

// Splits one physical line into cells. Quotes may open and close anywhere in a cell, a doubled
// quote inside quotes is one quote, an unterminated quote runs to the end of the line. Always
// yields at least one cell; cells are not trimmed.
std::vector<std::string> parse_csv_line(std::string_view line);

// Calls `onRecord` with the cells of every line after the first (which is a header, or a byte
// order mark and a header). Lines end in LF; one trailing CR is dropped. Lines whose first cell
// is empty, blank lines included, are skipped.
void forEachCsvRecordAfterHeader(std::string_view text,
                                 const std::function<void(std::vector<std::string>&)>& onRecord);

}  // namespace vantrel::names
