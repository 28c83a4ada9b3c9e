#include "pasted_rows.h"

#include <array>

#include "csv_line.h"
#include "delimited_text.h"
#include "entered_text.h"

namespace vantrel::names {

namespace {

// Length of the line break at the start of `text`, 0 when there is none.
std::size_t lineBreakLength(std::string_view text) {
  const char c = text.front();
  if (c == '\n' || c == '\r' || c == '\v' || c == '\f') return 1;
  static constexpr std::array<std::string_view, 3> kWideBreaks = {"\u0085", "\u2028", "\u2029"};
  for (std::string_view lineBreak : kWideBreaks)
    if (text.starts_with(lineBreak)) return lineBreak.size();
  return 0;
}

void addLine(std::string_view line, char delimiter, std::vector<PastedRow>& rows) {
  if (delimiter != '\t') {
    // Text copied from a CSV file: its quotes are the file's, not the names'.
    const std::vector<std::string> cells = parse_csv_line(line, delimiter);
    const std::string_view name = trimWhitespace(cells.front());
    if (name.empty()) return;
    const std::string_view note = cells.size() > 1 ? trimWhitespace(cells[1]) : "";
    rows.push_back({std::string(name), std::string(note)});
    return;
  }
  const std::size_t tab = line.find('\t');
  const std::string_view name = trimWhitespace(line.substr(0, tab));
  if (name.empty()) return;
  std::string_view note;
  if (tab != std::string_view::npos) {
    note = line.substr(tab + 1);
    note = note.substr(0, note.find('\t'));
  }
  rows.push_back({std::string(name), std::string(trimWhitespace(note))});
}

}  // namespace

std::vector<PastedRow> parsePastedRows(std::string_view text) {
  // Cells copied from a spreadsheet come with tabs; without a clear delimiter, tabs it is.
  const char delimiter = detectDelimiter(text, TextSource::Pasted).value_or('\t');
  std::vector<PastedRow> rows;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t length = lineBreakLength(text.substr(i))) {
      addLine(text.substr(lineStart, i - lineStart), delimiter, rows);
      i += length;
      lineStart = i;
    } else {
      ++i;
    }
  }
  addLine(text.substr(lineStart), delimiter, rows);
  return rows;
}

std::string copiedRowText(std::string_view name, std::string_view note) {
  std::string text(name);
  text += '\t';
  text += note;
  return text;
}

}  // namespace vantrel::names
