// The grid store's text: a header line, then one line per row, each line but the first
// preceded by an LF and none followed by one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "names_types.h"

namespace vantrel::names {

// "File Name,Notes,Captured,Marker" and four cells per row, or for an export "File Name,Notes"
// and two. A missing count is written as "0"; cells beyond the fourth are dropped.
std::string formatGrid(const std::vector<Row>& rows, GridColumns columns);

// Rows of a grid store text: the first line is skipped whatever it holds, rows without a name
// are skipped, every row gets exactly four cells and an empty count reads "0".
std::vector<Row> parseGrid(std::string_view text);

}  // namespace vantrel::names
