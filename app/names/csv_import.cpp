#include "csv_import.h"

#include <algorithm>
#include <cctype>

#include "file_bytes.h"

namespace vantrel::names {

std::optional<RosterTable> readRosterFile(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  return RosterTable::fromBytes(*bytes);
}

std::vector<std::string> firstColumnOfCsv(std::string_view bytes) {
  const RosterTable table = RosterTable::fromBytes(bytes);
  std::vector<std::string> names;
  for (RosterPerson& person : table.roster(table.defaultChoice()).people)
    names.push_back(std::move(person.name));
  return names;
}

std::vector<std::string> readFirstColumnOfCsvFile(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = readFileBytes(path);
  return bytes ? firstColumnOfCsv(*bytes) : std::vector<std::string>();
}

bool isRosterFile(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".csv" || extension == ".txt";
}

}  // namespace vantrel::names
