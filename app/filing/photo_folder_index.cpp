#include "photo_folder_index.h"

#include <algorithm>

#include "folder_listing.h"
#include "photo_folders.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

PhotoFolderIndex::PhotoFolderIndex(const fs::path& targetFolder) : targetFolder_(targetFolder) {
  const auto entries = listFolder(targetFolder);
  if (!entries) return;
  for (std::size_t i = 0; i < entries->size(); ++i)
    if (isDirectory((*entries)[i]))
      folders_.push_back({(*entries)[i].path().filename().native(), i, {}});
  // Byte order keeps every "<name>_..." folder in one contiguous run.
  std::sort(folders_.begin(), folders_.end(),
            [](const Folder& a, const Folder& b) { return a.name < b.name; });
}

std::vector<std::size_t> PhotoFolderIndex::folderPositionsFor(
    std::string_view sanitizedName) const {
  std::vector<std::size_t> positions;
  if (sanitizedName.empty()) return positions;
  auto byName = [](const Folder& folder, std::string_view name) { return folder.name < name; };

  const auto exact = std::lower_bound(folders_.begin(), folders_.end(), sanitizedName, byName);
  if (exact != folders_.end() && exact->name == sanitizedName)
    positions.push_back(static_cast<std::size_t>(exact - folders_.begin()));

  const std::string taggedPrefix = std::string(sanitizedName) + "_";
  const std::size_t firstTagged = positions.size();
  for (auto it = std::lower_bound(folders_.begin(), folders_.end(), taggedPrefix, byName);
       it != folders_.end() && it->name.starts_with(taggedPrefix); ++it)
    positions.push_back(static_cast<std::size_t>(it - folders_.begin()));
  std::sort(positions.begin() + static_cast<std::ptrdiff_t>(firstTagged), positions.end(),
            [this](std::size_t a, std::size_t b) {
              return folders_[a].listingPosition < folders_[b].listingPosition;
            });
  return positions;
}

std::vector<fs::path> PhotoFolderIndex::foldersForRowName(std::string_view sanitizedName) const {
  std::vector<fs::path> paths;
  for (std::size_t position : folderPositionsFor(sanitizedName))
    paths.push_back(targetFolder_ / folders_[position].name);
  return paths;
}

std::int64_t PhotoFolderIndex::photoCountForName(std::string_view sanitizedName) {
  std::int64_t total = 0;
  for (std::size_t position : folderPositionsFor(sanitizedName)) {
    Folder& folder = folders_[position];
    if (!folder.imageCount) folder.imageCount = imageCountInFolder(targetFolder_ / folder.name);
    total += *folder.imageCount;
  }
  return total;
}

}  // namespace vantrel::filing
