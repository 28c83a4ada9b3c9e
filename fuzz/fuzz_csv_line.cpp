// The names list's CSV dialect: parse_csv_line on any line, the escape/parse round trip on any
// values, and the grid store text read, written and read again.
#include <algorithm>

#include "csv_line.h"
#include "fuzz_support.h"
#include "grid_format.h"

using vantrel::names::csv_escape_cell;
using vantrel::names::formatGrid;
using vantrel::names::GridColumns;
using vantrel::names::parse_csv_line;
using vantrel::names::parseGrid;
using vantrel::names::Row;

namespace {

std::string joined(const std::vector<std::string>& cells, bool escaped) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += ',';
    line += escaped ? csv_escape_cell(cells[i]) : cells[i];
  }
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::asText(data, size);

  // Any line: at least one cell, never more than its commas allow, never more bytes than it has.
  const std::vector<std::string> cells = parse_csv_line(text);
  FUZZ_CHECK(!cells.empty());
  FUZZ_CHECK(cells.size() <= static_cast<size_t>(std::count(text.begin(), text.end(), ',')) + 1);
  size_t cellBytes = 0;
  for (const auto& cell : cells) cellBytes += cell.size();
  FUZZ_CHECK(cellBytes + cells.size() - 1 <= text.size());
  // Without quotes the cells are the line cut at its commas, nothing trimmed or lost.
  if (text.find('"') == std::string_view::npos) FUZZ_CHECK(joined(cells, false) == text);
  // Whatever was read, written back, reads the same: an export of an import keeps every cell.
  FUZZ_CHECK(parse_csv_line(joined(cells, true)) == cells);

  // Any values at all, commas, quotes, CR, LF and NUL included, survive escape then parse; values
  // that need no quotes are written as they are.
  const std::vector<std::string> values = fuzz::stringsSeparatedByLastByte(text);
  if (!values.empty()) FUZZ_CHECK(parse_csv_line(joined(values, true)) == values);
  for (const auto& value : values) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
      FUZZ_CHECK(csv_escape_cell(value) == value);
    }
  }

  // The grid store: rows with a name and four cells, and a count that is never empty; saving
  // what was loaded and loading it again gives the same rows.
  const std::vector<Row> rows = parseGrid(text);
  for (const Row& row : rows) {
    FUZZ_CHECK(row.size() == 4);
    FUZZ_CHECK(!row[0].empty());
    FUZZ_CHECK(!row[2].empty());
  }
  FUZZ_CHECK(parseGrid(formatGrid(rows, GridColumns::NameNoteCountMarker)) == rows);
  return 0;
}
