// Names an import would put twice into the list: the same when letter case is ignored, or
// different but sharing one photo folder under the folder-name rules ("A/B" and "A:B", "Ann"
// and "Ann "). Their photos would be filed together, so after an import the operator is asked
// whether to keep them or make them unique.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "names_list.h"

namespace vantrel::names {

// The photo folder a name files into. The filing rules own it; the application hands them in.
using FolderNaming = std::function<std::string(std::string_view name)>;

struct NameClash {
  std::vector<ModelRow> rows;     // two or more, in list order
  bool sameIgnoringCase = false;  // every name is the same when letter case is ignored
  std::string folder;             // otherwise the folder most of them would share
};

// The groups of rows whose names are equal ignoring case or give the same folder, linked in
// chains (Ann, ann and "ann " are one group), that hold at least one row at or after
// `firstImported`; ordered by their first row. Rows without a name take no part.
std::vector<NameClash> findNameClashes(const NamesList& list, ModelRow firstImported,
                                       const FolderNaming& folderName);

// Renames the imported rows (at or after `firstImported`) of each clash; rows that were in the
// list before keep their names, since photos may already be filed under them. When a field
// tells every imported row of a clash apart, each gets a space and its value appended (of
// several such fields, the one with the fewest different values in the list, so a class before
// an ID); otherwise all but the first get " 2", " 3", and so on. A new name never equals, or
// shares a folder with, a name in the list. Returns how many rows were renamed.
std::int64_t makeNamesUnique(NamesList& list, const std::vector<NameClash>& clashes,
                             ModelRow firstImported, const FolderNaming& folderName);

}  // namespace vantrel::names
