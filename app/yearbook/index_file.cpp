#include "index_file.h"

#include "entered_text.h"

namespace vantrel::yearbook {

namespace {

void appendRow(std::string& text, const IndexRecord& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) text += '\t';
    text += indexCell(cells[i]);
  }
  text += kLineEnd;
}

}  // namespace

std::string indexCell(std::string_view value) {
  std::string cell(value);
  for (char& c : cell)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return std::string(names::trimWhitespace(cell));
}

std::string indexFileText(const std::vector<IndexRecord>& records) {
  IndexRecord header;
  for (PspaColumn column : kPspaColumns)
    header[static_cast<std::size_t>(column)] = std::string(pspaColumnName(column));
  std::string text;
  appendRow(text, header);
  for (const IndexRecord& record : records) appendRow(text, record);
  return text;
}

}  // namespace vantrel::yearbook
