#include "person_name_parts.h"

#include "entered_text.h"

namespace vantrel::yearbook {

PersonNameParts personNameParts(std::string_view listName) {
  const std::string_view name = names::trimWhitespace(listName);
  if (const std::size_t comma = name.find(','); comma != std::string_view::npos)
    return {std::string(names::trimWhitespace(name.substr(0, comma))),
            std::string(names::trimWhitespace(name.substr(comma + 1)))};
  const std::size_t space = name.find_last_of(" \t");
  if (space == std::string_view::npos) return {std::string(name), {}};
  return {std::string(name.substr(space + 1)),
          std::string(names::trimWhitespace(name.substr(0, space)))};
}

}  // namespace vantrel::yearbook
