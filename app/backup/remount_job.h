// The background half of a recovery attempt: give a woken drive a moment, then mount its share
// again unless the backup folder is already back.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include "backup_texts.h"
#include "drive_recovery.h"
#include "share_mounter.h"

namespace vantrel::backup {

enum class RemountResult {
  FolderAlreadyThere,  // resume the queue; nothing was mounted
  Reconnected,         // show `remountStatus` and resume the queue
  StillAway,           // silent: the next failure or retry tries again
};

using Sleeper = std::function<void(std::chrono::steady_clock::duration)>;
using FolderReachable = std::function<bool(const std::filesystem::path& folder)>;

// Runs off the main thread. `folderReachable` defaults to "is a folder" (see copy_job.h for
// why a share folder needs more).
RemountResult runRemountJob(const RemountJob& job, platform::ShareMounter& mounter,
                            const Sleeper& sleep, const FolderReachable& folderReachable = {});

std::optional<StatusText> remountStatus(RemountResult result);
bool remountResumesQueue(RemountResult result);

}  // namespace vantrel::backup
