// One column of the mapping as the command line gives it (--map), and the same words shown back:
//
//   "Teacher Name=Lehrer"   the column takes the person's field "Lehrer"
//   "Grade==12"             the column holds the text "12" for everyone (after "==")
//   "Home Room="            the column stays empty
//
// The column is named as the index names it, compared as columnNameKey does ("homeroom" is Home
// Room); the field must be one of the list's, compared as field names are (ignoring letter case),
// and is kept as the list spells it. Only the columns the roster fills can be given.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "column_mapping.h"

namespace vantrel::yearbook {

struct ColumnAssignment {
  PspaColumn column;
  ColumnSource source;
};

// The assignment, or the message that says what is wrong with it.
std::variant<ColumnAssignment, std::string> parseColumnAssignment(
    std::string_view text, const std::vector<std::string>& fieldNames);

// The words parseColumnAssignment reads back into the same assignment, e.g. "Grade==12".
std::string columnAssignmentText(PspaColumn column, const ColumnSource& source);

}  // namespace vantrel::yearbook
