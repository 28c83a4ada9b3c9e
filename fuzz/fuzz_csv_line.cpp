// The names list's CSV dialect: parse_csv_line on any line, the escape/parse round trip on any
// values, the grid store text (with its fields) read, written and read again, and roster files
// of any bytes: decoded to UTF-8, split into records, made into people and fields, and exported
// and read back to the same people.
#include <algorithm>

#include "csv_line.h"
#include "fuzz_support.h"
#include "grid_format.h"
#include "list_export.h"
#include "names_list.h"
#include "roster_table.h"
#include "utf8_codec.h"

using vantrel::names::csv_escape_cell;
using vantrel::names::formatGrid;
using vantrel::names::GridColumns;
using vantrel::names::parse_csv_line;
using vantrel::names::parseGrid;
using vantrel::names::Row;
namespace names = vantrel::names;

namespace {

std::string joined(const std::vector<std::string>& cells, bool escaped) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += ',';
    line += escaped ? csv_escape_cell(cells[i]) : cells[i];
  }
  return line;
}

bool hasLineBreakOrNul(const std::string& text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}

// Any bytes as a roster file: the text is valid UTF-8 without NULs, no cell holds a line break,
// every person has a name and one value per field, and the list's export reads back to the same
// names, notes and fields.
void checkRosterFile(std::string_view bytes) {
  const names::RosterTable table = names::RosterTable::fromBytes(bytes);
  for (const names::Record& record : table.records) {
    FUZZ_CHECK(!record.empty());
    for (const std::string& cell : record) {
      FUZZ_CHECK(names::isValidUtf8(cell));
      FUZZ_CHECK(!hasLineBreakOrNul(cell));
    }
  }
  const names::Roster roster = table.roster(table.defaultChoice());
  for (const names::RosterPerson& person : roster.people) {
    FUZZ_CHECK(!person.name.empty());
    FUZZ_CHECK(person.fields.size() == roster.fieldNames.size());
  }

  names::NamesList list;
  list.importRoster(roster);
  FUZZ_CHECK(list.rowCount() == static_cast<std::int64_t>(roster.people.size()));
  const names::RosterTable exported =
      names::RosterTable::fromBytes(names::exportText(list, names::ExportFormat::Plain));
  const names::Roster back = exported.roster(exported.defaultChoice());
  FUZZ_CHECK(back.people.size() == roster.people.size());
  FUZZ_CHECK(back.fieldNames == list.fieldNames());
  for (std::size_t i = 0; i < back.people.size(); ++i) {
    FUZZ_CHECK(back.people[i].name == roster.people[i].name);
    FUZZ_CHECK(back.people[i].note == roster.people[i].note);
    for (std::size_t field = 0; field < back.fieldNames.size(); ++field)
      FUZZ_CHECK(back.people[i].fields[field] ==
                 list.fieldValue(static_cast<std::int64_t>(i), field));
  }
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

  // The grid store: rows with a name, four cells and one per field, and a count that is never
  // empty; saving what was loaded and loading it again gives the same rows and fields.
  const names::GridContents grid = parseGrid(text);
  for (const Row& row : grid.rows) {
    FUZZ_CHECK(row.size() == 4 + grid.fieldNames.size());
    FUZZ_CHECK(!row[0].empty());
    FUZZ_CHECK(!row[2].empty());
  }
  const names::GridContents again =
      parseGrid(formatGrid(grid.rows, GridColumns::NameNoteCountMarker, grid.fieldNames));
  FUZZ_CHECK(again.rows == grid.rows);
  FUZZ_CHECK(again.fieldNames == grid.fieldNames);

  checkRosterFile(text);
  return 0;
}
