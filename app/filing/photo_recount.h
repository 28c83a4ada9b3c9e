// Bringing the list's photo counts in line with the folders on disk.
#pragma once

#include <filesystem>

#include "names_list.h"

namespace vantrel::filing {

// Sets every row's count to the images in its person folders (an empty name is looked up as
// "untitled"). Nothing happens without a target folder or rows. True when a count changed: the
// caller then writes the store and reloads the table; the display order is left as it is.
bool syncCapturedCountsFromDisk(names::NamesList& list, const std::filesystem::path& targetFolder);

}  // namespace vantrel::filing
