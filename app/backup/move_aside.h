// Keeping a file the application cannot read out of the way without losing it.
#pragma once

#include <chrono>
#include <filesystem>

namespace vantrel::backup {

// Renames `file` to "<file>.unreadable-<YYYYMMDD-HHMMSS>" (`now` in local time), or to the same
// name with "-2", "-3", … when that is taken; never replaces anything. Returns the new name, or,
// when the rename failed, the last name tried: the file is then still where it was, unchanged.
std::filesystem::path moveAsideUnreadable(const std::filesystem::path& file,
                                          std::chrono::system_clock::time_point now);

}  // namespace vantrel::backup
