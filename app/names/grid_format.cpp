#include "grid_format.h"

#include "csv_line.h"
#include "row_cells.h"

namespace vantrel::names {

namespace {

constexpr std::string_view kStoreTitles[] = {"File Name", "Notes", "Captured", "Marker"};
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The field names a store's first line declares: none unless it starts with the four titles.
std::vector<std::string> fieldNamesOfHeader(std::string_view text) {
  std::string_view header = text.substr(0, text.find('\n'));
  if (header.ends_with('\r')) header.remove_suffix(1);
  if (header.starts_with(kUtf8Bom)) header.remove_prefix(kUtf8Bom.size());
  std::vector<std::string> cells = parse_csv_line(header);
  if (cells.size() <= std::size(kStoreTitles)) return {};
  for (std::size_t i = 0; i < std::size(kStoreTitles); ++i)
    if (cells[i] != kStoreTitles[i]) return {};
  cells.erase(cells.begin(), cells.begin() + std::size(kStoreTitles));
  return cells;
}

}  // namespace

std::string formatGrid(const std::vector<Row>& rows, GridColumns columns,
                       const std::vector<std::string>& fieldNames, char delimiter) {
  const bool full = columns == GridColumns::NameNoteCountMarker;
  const std::size_t titles = full ? std::size(kStoreTitles) : 2;
  std::string text;
  text.reserve(rows.size() * (32 + 8 * fieldNames.size()) + 64);
  for (std::size_t i = 0; i < titles; ++i) {
    if (i > 0) text += delimiter;
    text += kStoreTitles[i];
  }
  for (const std::string& name : fieldNames) {
    text += delimiter;
    text += csv_escape_cell(name, delimiter);
  }
  for (const Row& row : rows) {
    text += '\n';
    text += csv_escape_cell(cellOrEmpty(row, kNameCell), delimiter);
    text += delimiter;
    text += csv_escape_cell(cellOrEmpty(row, kNoteCell), delimiter);
    if (full) {
      text += delimiter;
      text +=
          row.size() > kCountCell ? csv_escape_cell(row[kCountCell], delimiter) : std::string("0");
      text += delimiter;
      text += csv_escape_cell(cellOrEmpty(row, kMarkerCell), delimiter);
    }
    for (std::size_t field = 0; field < fieldNames.size(); ++field) {
      text += delimiter;
      text += csv_escape_cell(cellOrEmpty(row, kFirstFieldCell + field), delimiter);
    }
  }
  return text;
}

GridContents parseGrid(std::string_view text) {
  GridContents grid{fieldNamesOfHeader(text), {}};
  const std::size_t cells = kFirstFieldCell + grid.fieldNames.size();
  forEachCsvRecordAfterHeader(text, [&grid, cells](std::vector<std::string>& record) {
    record.resize(cells);
    if (record[kCountCell].empty()) record[kCountCell].push_back('0');
    grid.rows.push_back(std::move(record));
  });
  return grid;
}

}  // namespace vantrel::names
