// Keeping the file names an export gave: the Yearbook File field of each row (the field is added
// when the list has none), so that the next export names everyone's portrait the same way.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "names_list.h"

namespace vantrel::yearbook {

// Stores each name in its row's Yearbook File field; returns how many rows changed.
int applyAssignedFileNames(names::NamesList& list,
                           const std::vector<std::pair<names::ModelRow, std::string>>& assigned);

}  // namespace vantrel::yearbook
