// Keeping the file names an export gave: the Yearbook File field of each row (the field is added
// when the list has none), so that the next export names everyone's portrait the same way.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "names_list.h"

namespace vantrel::yearbook {

// Stores each name in its row's Yearbook File field; returns how many rows changed. `exported` is
// the list the export read: a row that no longer holds the person it held then (the list changed
// meanwhile) is left alone, and that person's name is added to `skipped` when given.
int applyAssignedFileNames(names::NamesList& list, const names::NamesList& exported,
                           const std::vector<std::pair<names::ModelRow, std::string>>& assigned,
                           std::vector<std::string>* skipped = nullptr);

}  // namespace vantrel::yearbook
