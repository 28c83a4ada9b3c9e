// Renaming a person's photo folder on disk, together with the numbered photos inside it, or
// merging it into a folder that already has the new name. Nothing is ever overwritten.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::filing {

// One photo's path before and after a rename or a merge.
struct PhotoRename {
  std::filesystem::path from;
  std::filesystem::path to;
  bool operator==(const PhotoRename&) const = default;
};

struct FolderRenameResult {
  std::int64_t photos = 0;           // images now under the new name
  std::string error;                 // empty on success
  std::vector<PhotoRename> renamed;  // every image whose path changed

  bool succeeded() const { return error.empty(); }
};

// With nothing at the new name, the folder is renamed and every image in it whose name starts
// with the old folder name gets the new one instead ("Ann_0001.JPG" → "Bob_0001.JPG"); all its
// images count. Otherwise its images move into the existing folder, numbered on from that
// folder's highest number for the new name in any extension, and the folder is deleted when
// nothing else is left in it; the images moved count. A name taken meanwhile is skipped, never
// replaced. A folder that cannot be renamed stays as it was and the error says why.
FolderRenameResult renameFolderFSAt(const std::filesystem::path& folder,
                                    std::string_view sanitizedName);

}  // namespace vantrel::filing
