// Clean-up of text that the operator types, pastes or imports.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::names {

// Removes white space and line breaks at both ends, Unicode ones included (no-break space,
// ideographic space, line and paragraph separators).
std::string_view trimWhitespace(std::string_view text);

// Replaces every CR and LF by a space. The store is read line by line, so a line break inside
// a name or note would split the row on the next load.
std::string withoutLineBreaks(std::string_view text);

}  // namespace vantrel::names
