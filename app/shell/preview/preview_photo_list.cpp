#include "preview_photo_list.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "image_types.h"

std::vector<std::string> previewablePhotosByAge(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::vector<std::pair<fs::file_time_type, std::string>> found;
  std::error_code error;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  for (const fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
    std::error_code entryError;
    if (!it->is_regular_file(entryError)) continue;
    std::string file = it->path().string();
    if (!vantrel::filing::isPreviewableImagePath(file)) continue;
    fs::file_time_type modified = it->last_write_time(entryError);
    if (entryError) modified = fs::file_time_type::min();
    found.emplace_back(modified, std::move(file));
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> photos;
  photos.reserve(found.size());
  for (auto& entry : found) photos.push_back(std::move(entry.second));
  return photos;
}
