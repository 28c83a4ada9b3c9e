#include "csv_import.h"

#include <algorithm>
#include <cctype>

#include "csv_line.h"
#include "file_bytes.h"

namespace vantrel::names {

std::vector<std::string> firstColumnOfCsv(std::string_view text) {
  std::vector<std::string> names;
  forEachCsvRecordAfterHeader(text, [&names](std::vector<std::string>& cells) {
    names.push_back(std::move(cells.front()));
  });
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
