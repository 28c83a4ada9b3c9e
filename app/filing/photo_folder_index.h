// The target folder listed once, for answering "which folders and how many photos" for every
// name of a list. Looking each name up in one listing keeps a recount of n names at one listing
// of the target folder plus one of each person folder, instead of n listings of the target.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::filing {

class PhotoFolderIndex {
 public:
  // Lists the target folder's sub-folders. An unset (empty) or unlistable target folder gives
  // an index without folders.
  explicit PhotoFolderIndex(const std::filesystem::path& targetFolder);

  // Same answer as foldersForRowName on the folder as it was listed.
  std::vector<std::filesystem::path> foldersForRowName(std::string_view sanitizedName) const;

  // The images in all of the name's folders. Each folder is listed at most once per index,
  // however many names it belongs to (Ann_Lee counts for Ann and for Ann_Lee).
  std::int64_t photoCountForName(std::string_view sanitizedName);

 private:
  struct Folder {
    std::string name;
    std::size_t listingPosition = 0;
    std::optional<std::int64_t> imageCount;
  };

  // Positions in folders_ (sorted by name) of the name's folders: exact match first, then the
  // tagged ones in listing order.
  std::vector<std::size_t> folderPositionsFor(std::string_view sanitizedName) const;

  std::filesystem::path targetFolder_;
  std::vector<Folder> folders_;
};

}  // namespace vantrel::filing
