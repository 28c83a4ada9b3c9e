// Rosters arrive as spreadsheet exports: only their first column is the list of names.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::names {

// Names in the first column, after the header line, exactly as written (leading spaces too);
// lines whose first cell is empty are skipped.
std::vector<std::string> firstColumnOfCsv(std::string_view text);

// The same for a file; a file that cannot be read holds no names.
std::vector<std::string> readFirstColumnOfCsvFile(const std::filesystem::path& path);

// Whether a dropped file looks like a roster: extension "csv" or "txt", any case.
bool isRosterFile(const std::filesystem::path& path);

}  // namespace vantrel::names
