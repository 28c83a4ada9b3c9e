// Reading and writing single cells of a row, tolerant of short rows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "names_types.h"

namespace vantrel::names {

// The cell's text, or the empty string when the row is too short.
std::string_view cellOrEmpty(const Row& row, std::size_t cell);

// Grows the row with empty cells so that `cell` exists.
void padRowToCell(Row& row, std::size_t cell);

// Reads a count cell the way C's atol does: leading white space, an optional sign, then digits
// up to the first non-digit; 0 when there are none. Saturates instead of overflowing.
std::int64_t countFromCell(std::string_view text);

// Decimal text of a count; negative counts are stored as "0".
std::string countCellText(std::int64_t count);

}  // namespace vantrel::names
