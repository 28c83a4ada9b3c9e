#include "folder_probe.h"

#include "backup_paths.h"
#include "share_info.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

FolderProbe probeBackupFolder(const fs::path& folder, platform::MountLocator& locator) {
  return {mountPointOf(folder, locator), folderIgnoresLetterCase(folder), false};
}

FolderProbe probeTargetFolder(const fs::path& folder, platform::MountLocator& locator) {
  std::error_code error;
  const bool holdsAnything = fs::directory_iterator(folder, error) != fs::directory_iterator();
  return {mountPointOf(folder, locator), false, holdsAnything && !error};
}

}  // namespace vantrel::backup
