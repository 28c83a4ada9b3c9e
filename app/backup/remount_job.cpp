#include "remount_job.h"

#include "backup_timing.h"
#include "share_url_encoding.h"

namespace vantrel::backup {

RemountResult runRemountJob(const RemountJob& job, platform::ShareMounter& mounter,
                            const Sleeper& sleep, const FolderReachable& folderReachable) {
  const auto reachable = [&] {
    std::error_code ignored;
    return folderReachable ? folderReachable(job.backupDir)
                           : std::filesystem::is_directory(job.backupDir, ignored);
  };
  if (job.wakeSent) sleep(kWakeSettleDelay);
  if (reachable()) return RemountResult::FolderAlreadyThere;

  const std::string url = percentEncodeShareUrl(job.shareUrl);
  if (!isMountableShareUrl(url)) return RemountResult::StillAway;
  const bool mounted = mounter.mountShare(url, job.backupDir);
  // An error with the folder there anyway is a share that was mounted already.
  return mounted || reachable() ? RemountResult::Reconnected : RemountResult::StillAway;
}

std::optional<StatusText> remountStatus(RemountResult result) {
  if (result != RemountResult::Reconnected) return std::nullopt;
  return StatusText{std::string(texts::kDriveReconnected), StatusKind::Good};
}

bool remountResumesQueue(RemountResult result) {
  return result != RemountResult::StillAway;
}

}  // namespace vantrel::backup
