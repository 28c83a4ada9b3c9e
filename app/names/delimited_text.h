// Rows and cells of delimited text, as spreadsheets save and copy it: comma, semicolon (a
// spreadsheet set to a European locale) or tab ("Unicode text"), LF, CRLF or CR line ends, and
// quoted cells that may hold the delimiter, doubled quotes and line breaks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::names {

using Record = std::vector<std::string>;

// Pasted lists of names are often "Last, First" typed by hand; there a comma followed by a space
// belongs to the name. Files come from spreadsheets, which never write a space after a delimiter.
enum class TextSource { File, Pasted };

// The delimiter of the first lines, of comma, semicolon and tab (counted outside quotes). A file
// this program wrote says it in its first line: "File Name" and then the delimiter. Otherwise
// the one that splits every line into the same number of cells, the most cells when several
// do (comma, then semicolon, then tab on a tie); failing that, the one that splits most lines,
// if that is at least half of them. Nothing when in doubt (a single column, or no clear winner).
std::optional<char> detectDelimiter(std::string_view text, TextSource source);

// Every record of the text, cut at the delimiter outside quotes. A record ends at LF, CRLF or CR
// outside quotes; a line break inside quotes becomes one space. Quotes follow the grid store's
// dialect (they may open and close anywhere in a cell; a doubled quote inside quotes is one
// quote). A quote still open at the end of the text was a stray one: from the record it opened
// in onwards the text is read line by line, each open quote running to the end of its line.
// Records without any text in any cell (blank lines) are left out; cells are not trimmed.
std::vector<Record> splitRecords(std::string_view text, char delimiter);

}  // namespace vantrel::names
