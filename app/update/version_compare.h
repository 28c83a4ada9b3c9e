// Ordering of release version texts such as "v7.10", "7.5" and "8.0-rc1".
#pragma once

#include <string_view>

namespace vantrel::update {

// 1 when `a` is newer than `b`, 0 when they are the same version, -1 when `a` is older.
// One leading "v" is ignored; dotted components compare as numbers (7.10 > 7.9, 7.4 == 7.4.0,
// 7.05 == 7.5); a version with a "-" suffix is older than the same version without one.
int compareVersions(std::string_view a, std::string_view b);

}  // namespace vantrel::update
