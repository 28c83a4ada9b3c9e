// Renaming a photo folder the way the operator asks for it: the typed name cleaned up, the
// folder renamed or merged on disk, and its copy in the backup folder renamed alike.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "folder_rename.h"

namespace vantrel::filing {

// Provided by the backup side: where the backup copy of a folder under the target folder
// lies, or nothing while backup is off or has no folder.
using BackupFolderLookup =
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& folder)>;

class FolderRenamer {
 public:
  // An empty target folder means none is set; an empty lookup means no backup.
  explicit FolderRenamer(std::filesystem::path targetFolder,
                         BackupFolderLookup backupFolderFor = {});

  const std::filesystem::path& targetFolder() const { return targetFolder_; }

  // The name is trimmed and sanitised; an empty name and the folder's own name are refused
  // with their texts. When the folder lies inside the target folder and its backup copy
  // exists, the copy is renamed the same way (its errors ignored). The caller rescans the
  // counts afterwards, whatever the result.
  FolderRenameResult renameFolderAt(const std::filesystem::path& folder,
                                    std::string_view name) const;

 private:
  std::optional<std::filesystem::path> backupCopyOf(const std::filesystem::path& folder) const;

  std::filesystem::path targetFolder_;
  BackupFolderLookup backupFolderFor_;
};

}  // namespace vantrel::filing
