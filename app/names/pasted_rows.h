// Names pasted from a spreadsheet or a plain list, and the text a copied row leaves behind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::names {

struct PastedRow {
  std::string name;
  std::string note;
};

// One row per line (any line break: LF, CR, CR LF, VT, FF, NEL, LS, PS); cells are separated
// by the delimiter the lines agree on (delimited_text.h: tabs, semicolons or commas outside
// quotes, a comma followed by a space being part of a name), else by tabs. With semicolons or
// commas, quotes are read as a CSV file's. The first cell is the name and the second the note,
// both trimmed. Lines without a name are skipped.
std::vector<PastedRow> parsePastedRows(std::string_view text);

// Name and note separated by a tab, so that pasting it back or into a spreadsheet keeps both.
std::string copiedRowText(std::string_view name, std::string_view note);

}  // namespace vantrel::names
