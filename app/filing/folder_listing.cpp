#include "folder_listing.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

std::optional<std::vector<fs::directory_entry>> listFolder(const fs::path& folder,
                                                           std::error_code& error) {
  error.clear();
  if (folder.empty()) {
    error = std::make_error_code(std::errc::no_such_file_or_directory);
    return std::nullopt;
  }
  std::vector<fs::directory_entry> entries;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    entries.push_back(*it);
  if (error) return std::nullopt;
  return entries;
}

std::optional<std::vector<fs::directory_entry>> listFolder(const fs::path& folder) {
  std::error_code ignored;
  return listFolder(folder, ignored);
}

bool isDirectory(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool isDirectory(const fs::directory_entry& entry) {
  std::error_code error;
  return entry.is_directory(error);
}

}  // namespace vantrel::filing
