#include "unfiled_downloads.h"

#include <algorithm>
#include <system_error>

#include "image_types.h"
#include "plural.h"

namespace fs = std::filesystem;

namespace vantrel::filing {

namespace {

struct Found {
  fs::file_time_type modified;
  std::string path;
};

void collect(const fs::path& folder, const std::function<bool(const std::string&)>& skip,
             std::vector<Found>& found) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const fs::path& path = it->path();
    const std::string name = path.filename().string();
    if (name.empty() || name.front() == '.' || !isImageFileName(name)) continue;
    std::error_code entryError;
    if (!it->is_regular_file(entryError)) continue;
    const auto modified = it->last_write_time(entryError);
    if (entryError) continue;
    if (skip && skip(path.string())) continue;
    found.push_back({modified, path.string()});
  }
}

}  // namespace

std::vector<std::string> findUnfiledDownloads(const std::vector<fs::path>& folders,
                                              const std::function<bool(const std::string&)>& skip) {
  std::vector<Found> found;
  std::vector<fs::path> seen;
  for (const fs::path& folder : folders) {
    if (folder.empty()) continue;
    fs::path normal = folder.lexically_normal();
    if (!normal.has_filename()) normal = normal.parent_path();
    if (std::find(seen.begin(), seen.end(), normal) != seen.end()) continue;
    seen.push_back(normal);
    collect(normal, skip, found);
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.modified != b.modified ? a.modified < b.modified : a.path < b.path;
  });
  std::vector<std::string> paths;
  paths.reserve(found.size());
  for (Found& item : found) paths.push_back(std::move(item.path));
  return paths;
}

std::string unfiledPhotosMessage(long long count) {
  return counted(count, "photo") + (count == 1 ? " was" : " were") +
         " downloaded but never filed: the application or the computer stopped first. " +
         (count == 1 ? "It is" : "They are") +
         " still in the download folder under the camera's name. File " +
         (count == 1 ? "it" : "them") + " now, oldest first, with the next numbers?";
}

std::string fileThemForButton(std::string_view personName) {
  return "File them for " + std::string(personName);
}

std::string unfiledPhotosStatus(long long count) {
  return counted(count, "unfiled photo") +
         " found in the download folder. File them from the Camera menu.";
}

std::string fileUnfiledForItem(std::string_view personName) {
  return "File Unfiled Photos for " + std::string(personName);
}

std::string chooseUnfiledPersonMessage(long long count) {
  return "File " + counted(count, "photo") + " for:";
}

}  // namespace vantrel::filing
