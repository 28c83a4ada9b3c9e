// Names of the fields a roster brings along (the columns besides the name and the note). Field
// names are trimmed and unique ignoring ASCII letter case, so "Grade" and "grade" are one field.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::names {

// Whether two field names are the same field: trimmed, ASCII letters compared ignoring case.
bool sameFieldName(std::string_view a, std::string_view b);

// The form two names share when sameFieldName says they are the same.
std::string fieldNameKey(std::string_view name);

// The position of `name` among `names`, compared as sameFieldName does.
std::optional<std::size_t> findFieldName(const std::vector<std::string>& names,
                                         std::string_view name);

// `wanted` trimmed, or `fallback` when nothing is left, with " 2", " 3", ... appended while the
// name is already among `taken`.
std::string uniqueFieldName(const std::vector<std::string>& taken, std::string_view wanted,
                            std::string_view fallback);

}  // namespace vantrel::names
