// Roster files: which dropped files are rosters, and reading one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "roster_table.h"

namespace vantrel::names {

// The file's records (roster_table.h); nothing when it cannot be read.
std::optional<RosterTable> readRosterFile(const std::filesystem::path& path);

// The names of a roster's bytes under the default choice: the first column after the header,
// exactly as written (leading spaces too); rows without a name are skipped.
std::vector<std::string> firstColumnOfCsv(std::string_view bytes);

// The same for a file; a file that cannot be read holds no names.
std::vector<std::string> readFirstColumnOfCsvFile(const std::filesystem::path& path);

// Whether a dropped file looks like a roster: extension "csv" or "txt", any case.
bool isRosterFile(const std::filesystem::path& path);

}  // namespace vantrel::names
