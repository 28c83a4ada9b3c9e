// The grid store's text: a header line, then one line per row, each line but the first
// preceded by an LF and none followed by one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "names_types.h"

namespace vantrel::names {

// "File Name,Notes,Captured,Marker" and four cells per row, or for an export "File Name,Notes"
// and two; then one column per field, titled with the field's name, holding the value in the
// row's cell after the fourth (the first field), the fifth, and so on. A missing count is
// written as "0"; cells beyond the fields are dropped. Without fields the text is exactly the
// four (or two) columns. The delimiter is a comma but for an export for spreadsheets.
std::string formatGrid(const std::vector<Row>& rows, GridColumns columns,
                       const std::vector<std::string>& fieldNames = {}, char delimiter = ',');

struct GridContents {
  std::vector<std::string> fieldNames;
  std::vector<Row> rows;
};

// Rows of a grid store text. The first line is never a row. When it is the store's header, the
// titles after its fourth name the fields, and each row keeps one cell per field after its
// four; any other first line names none. Rows without a name are skipped, every row gets
// exactly four cells plus one per field, and an empty count reads "0". Bytes are kept as they
// are, so a store an older version wrote with names that are not UTF-8 reads as it always did.
GridContents parseGrid(std::string_view text);

}  // namespace vantrel::names
