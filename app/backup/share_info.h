// What is recorded about the backup folder's network share when the folder is chosen: the
// share's URL ("smb://server/share", the scheme, a colon and the mount source) and its host.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "copy_job.h"
#include "mount_locator.h"

namespace vantrel::backup {

struct ShareCapture {
  enum class Action {
    Keep,    // the folder cannot be examined: leave the stored share as it is
    Forget,  // a local folder: remove the stored share URL and hardware address
    Record,  // store `shareUrl`; when `host` is non-empty, look up its hardware address
  };
  Action action = Action::Keep;
  std::string shareUrl;
  std::string host;
};

ShareCapture captureBackupShareInfo(const std::string& backupDir, platform::MountLocator& locator);

// "//user@nas.local:445/photos" gives "nas.local".
std::string hostFromMountSource(std::string_view mountSource);

// For a backup folder on a recorded share: true only while the folder lies on a network share.
// Once the share is gone, a kernel mount point is a plain local folder that must not take
// copies.
bool folderIsOnNetworkShare(const std::filesystem::path& folder, platform::MountLocator& locator);

// The mount point that holds `folder` now; empty when it cannot be told.
std::filesystem::path mountPointOf(const std::filesystem::path& folder,
                                   platform::MountLocator& locator);

// Whether the backup folder can take copies: it is a folder, it still lies on the mount point
// recorded when it was chosen (a drive unplugged from a fixed mount point leaves an empty folder
// on the system disk), and, when it was chosen on a network share, it still lies on one. An empty
// `recordedMountPoint` (a folder chosen by an older version) is not checked.
bool backupFolderReachable(const std::filesystem::path& folder,
                           const std::filesystem::path& recordedMountPoint, bool onShare,
                           platform::MountLocator& locator);

// Where the target folder stands for the copy runs: away when it is missing or no longer on
// `recordedMountPoint`; on its drive when it is; merely present when no mount point is recorded.
TargetFolderState targetFolderState(const std::filesystem::path& folder,
                                    const std::filesystem::path& recordedMountPoint,
                                    platform::MountLocator& locator);

}  // namespace vantrel::backup
