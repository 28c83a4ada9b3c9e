// The CSV dialect shared by the grid store, the export and the import.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::names {

// Quotes a value holding the delimiter, a double quote, a CR or an LF, doubling inner quotes;
// anything else, the empty value included, is returned unchanged.
std::string csv_escape_cell(std::string_view value, char delimiter = ',');

// Splits one physical line into cells at the delimiter. Quotes may open and close anywhere in a
// cell, a doubled quote inside quotes is one quote, an unterminated quote runs to the end of the
// line. Always yields at least one cell; cells are not trimmed.
std::vector<std::string> parse_csv_line(std::string_view line, char delimiter = ',');

// How a record reader treats CR and LF.
enum class LineBreaks {
  AreText,                 // kept in the cell like any other byte (one physical line)
  EndRecord,               // end the record, even inside quotes
  EndRecordOutsideQuotes,  // end the record; inside quotes one space stands for the break
};

// Reads the cells of one record starting at `pos` in the dialect of parse_csv_line, and advances
// past it and its line end (LF, CRLF or CR). `openAtEnd` tells whether the text ran out while a
// quote was open.
std::vector<std::string> readDelimitedRecord(std::string_view text, std::size_t& pos,
                                             char delimiter, LineBreaks lineBreaks,
                                             bool& openAtEnd);

// Calls `onRecord` with the cells of every line after the first (which is a header, or a byte
// order mark and a header). Lines end in LF; one trailing CR is dropped. Lines whose first cell
// is empty, blank lines included, are skipped.
void forEachCsvRecordAfterHeader(std::string_view text,
                                 const std::function<void(std::vector<std::string>&)>& onRecord);

}  // namespace vantrel::names
