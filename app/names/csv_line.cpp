#include "csv_line.h"

namespace vantrel::names {

std::string csv_escape_cell(std::string_view value) {
  if (value.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(value);
  std::string quoted;
  quoted.reserve(value.size() + 4);
  quoted += '"';
  for (char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::vector<std::string> parse_csv_line(std::string_view line) {
  std::vector<std::string> cells;
  if (line.find('"') == std::string_view::npos) {
    // Most lines hold no quotes: whole cells can be cut out at the commas.
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string_view::npos;
         start = comma + 1)
      cells.emplace_back(line.substr(start, comma - start));
    cells.emplace_back(line.substr(start));
    return cells;
  }
  std::string cell;
  bool inQuotes = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ',' && !inQuotes) {
      cells.push_back(std::move(cell));
      cell.clear();
    } else if (c == '"' && inQuotes && i + 1 < line.size() && line[i + 1] == '"') {
      cell += '"';
      ++i;
    } else if (c == '"') {
      inQuotes = !inQuotes;
    } else {
      cell += c;
    }
  }
  cells.push_back(std::move(cell));
  return cells;
}

void forEachCsvRecordAfterHeader(std::string_view text,
                                 const std::function<void(std::vector<std::string>&)>& onRecord) {
  bool header = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (header) {
      header = false;
      continue;
    }
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::vector<std::string> cells = parse_csv_line(line);
    if (cells.front().empty()) continue;
    onRecord(cells);
  }
}

}  // namespace vantrel::names
