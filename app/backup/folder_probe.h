// What the application notes about a chosen folder's drive. Looking may wait on a sleeping network
// drive, so the controller does it off the window's thread.
#pragma once

#include <filesystem>

#include "mount_locator.h"

namespace vantrel::backup {

struct FolderProbe {
  std::filesystem::path mountPoint;  // empty when it cannot be told
  bool ignoresLetterCase = false;    // "Anna" and "anna" name one file there
  bool holdsAnything = false;
};

// The backup folder: its mount point, and whether its drive ignores letter case.
FolderProbe probeBackupFolder(const std::filesystem::path& folder, platform::MountLocator& locator);

// The target folder: its mount point, and whether it holds anything. The mount point of an empty
// folder tells nothing of the photos' drive: an unplugged drive's mount point is an empty folder.
FolderProbe probeTargetFolder(const std::filesystem::path& folder, platform::MountLocator& locator);

}  // namespace vantrel::backup
