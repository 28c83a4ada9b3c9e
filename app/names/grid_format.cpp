#include "grid_format.h"

#include "csv_line.h"
#include "row_cells.h"

namespace vantrel::names {

namespace {

constexpr std::string_view kStoreHeader = "File Name,Notes,Captured,Marker";
constexpr std::string_view kExportHeader = "File Name,Notes";

}  // namespace

std::string formatGrid(const std::vector<Row>& rows, GridColumns columns) {
  const bool full = columns == GridColumns::NameNoteCountMarker;
  std::string text(full ? kStoreHeader : kExportHeader);
  text.reserve(text.size() + rows.size() * 32);
  for (const Row& row : rows) {
    text += '\n';
    text += csv_escape_cell(cellOrEmpty(row, kNameCell));
    text += ',';
    text += csv_escape_cell(cellOrEmpty(row, kNoteCell));
    if (!full) continue;
    text += ',';
    text += row.size() > kCountCell ? csv_escape_cell(row[kCountCell]) : std::string("0");
    text += ',';
    text += csv_escape_cell(cellOrEmpty(row, kMarkerCell));
  }
  return text;
}

std::vector<Row> parseGrid(std::string_view text) {
  std::vector<Row> rows;
  forEachCsvRecordAfterHeader(text, [&rows](std::vector<std::string>& cells) {
    cells.resize(kMarkerCell + 1);
    if (cells[kCountCell].empty()) cells[kCountCell].push_back('0');
    rows.push_back(std::move(cells));
  });
  return rows;
}

}  // namespace vantrel::names
