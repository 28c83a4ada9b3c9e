#include "csv_line.h"

namespace vantrel::names {

std::string csv_escape_cell(std::string_view value, char delimiter) {
  const char needsQuotes[] = {delimiter, '"', '\r', '\n'};
  if (value.find_first_of(std::string_view(needsQuotes, sizeof needsQuotes)) ==
      std::string_view::npos)
    return std::string(value);
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

std::vector<std::string> parse_csv_line(std::string_view line, char delimiter) {
  std::vector<std::string> cells;
  if (line.find('"') == std::string_view::npos) {
    // Most lines hold no quotes: whole cells can be cut out at the delimiters.
    std::size_t start = 0;
    for (std::size_t cut; (cut = line.find(delimiter, start)) != std::string_view::npos;
         start = cut + 1)
      cells.emplace_back(line.substr(start, cut - start));
    cells.emplace_back(line.substr(start));
    return cells;
  }
  std::size_t pos = 0;
  bool openAtEnd = false;
  return readDelimitedRecord(line, pos, delimiter, LineBreaks::AreText, openAtEnd);
}

std::vector<std::string> readDelimitedRecord(std::string_view text, std::size_t& pos,
                                             char delimiter, LineBreaks lineBreaks,
                                             bool& openAtEnd) {
  std::vector<std::string> cells;
  std::string cell;
  bool inQuotes = false;
  while (pos < text.size()) {
    const char c = text[pos++];
    if ((c == '\r' || c == '\n') && lineBreaks != LineBreaks::AreText) {
      if (c == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
      if (!inQuotes || lineBreaks == LineBreaks::EndRecord) break;
      cell += ' ';
    } else if (c == '"' && inQuotes && pos < text.size() && text[pos] == '"') {
      cell += '"';
      ++pos;
    } else if (c == '"') {
      inQuotes = !inQuotes;
    } else if (c == delimiter && !inQuotes) {
      cells.push_back(std::move(cell));
      cell.clear();
    } else {
      cell += c;
    }
  }
  cells.push_back(std::move(cell));
  openAtEnd = inQuotes && pos >= text.size();
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
