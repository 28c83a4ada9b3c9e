// The backup's state and rules: the persistent queue, one copy job at a time, the offline
// episode with its single warning, the retry timer's life, the batch progress and the backup
// commands. It decides; the application's controller runs the jobs on its thread pool, owns the
// timers and dialogs, and shows what the returned values say. Everything here runs on the
// controller's thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "backup_display.h"
#include "backup_queue.h"
#include "backup_texts.h"
#include "copy_job.h"
#include "drive_recovery.h"
#include "failed_backups.h"
#include "missing_backups.h"
#include "verified_copies.h"

namespace vantrel::backup {

// What the controller does after a copy job ended, besides refreshing the menu and labels.
struct JobFinish {
  bool attemptRecovery = false;      // DriveRecovery::attempt(false, ...)
  std::optional<AlertText> alert;    // "Backup Paused", once per offline episode
  bool startRetryTimer = false;      // a repeating kRetryInterval timer calling retryTick()
  bool processNext = false;          // processBackupQueue() for the next entry
  std::optional<StatusText> status;  // a photo left the queue for the could-not-back-up list
};

struct CommandOutcome {
  std::optional<AlertText> alert;
  std::optional<StatusText> status;
  bool processQueue = false;    // then call processBackupQueue()
  bool stopRetryTimer = false;  // stop and forget the retry timer
};

class BackupCoordinator {
 public:
  // `queueFile` (see backupQueuePath) is rewritten after every change of the queue; with an
  // empty path the queue lives in memory only.
  explicit BackupCoordinator(std::filesystem::path queueFile = {});

  // Start-up: the stored settings; backup is on only with a folder.
  void restoreSettings(std::string backupDir, bool enabled);
  // Start-up, once the target folder is known: a stored backup folder that is the target
  // folder, lies inside it or holds it turns backup off, and the status says why.
  std::optional<StatusText> turnOffIfFolderConflicts();
  // Whether `backupDir` can be the backup folder of `targetDir` (compared as the paths resolve
  // on disk, so a link or a ".." cannot hide the target folder).
  static BackupFolderConflict folderConflict(const std::filesystem::path& backupDir,
                                             const std::filesystem::path& targetDir);
  void setTargetDir(std::string targetDir) { targetDir_ = std::move(targetDir); }
  // Start-up, after restoreSettings: reads the queue file, the could-not-back-up list and the
  // record of verified copies. True when the queue should resume kStartupResumeDelay later. An
  // unreadable queue file is kept aside: takeQueueFileAlert() says so, and the controller then
  // looks for photos without a backup.
  bool loadQueue();
  // The alert about the queue file, once: unreadable at launch, or no longer written (once per
  // episode of failed writes).
  std::optional<AlertText> takeQueueFileAlert();
  bool queueFileWasUnreadable() const { return queueFileUnreadable_; }

  // A photo was just filed into the target folder. True when it was newly queued. The
  // controller then refreshes the display and calls processBackupQueue() either way.
  bool backupSavedFile(const std::string& path);

  // The copy run to start now: the entries at the head of the queue, up to kMostPhotosPerRun; or
  // nothing (a run is under way, backup is off, nothing waits).
  std::optional<CopyRun> processBackupQueue();
  // The slow check, kSlowCopyAfter after `runId` started and again every kSlowCopyAfter while
  // the run goes on: a run that finished no step of its copies since the last look is slow.
  enum class SlowCheck { Stop, Again, BecameSlow };
  SlowCheck checkSlowRun(std::uint64_t runId);
  // Back on the controller's thread with the run's results (see runCopyJobs).
  JobFinish finishJob(const CopyRun& run, const std::vector<CopyResult>& results);

  // The retry timer fired. True: call processBackupQueue(). False: stop and forget the timer.
  bool retryTick();

  // Menu and button commands.
  StatusText chooseBackupFolder(std::string path);  // after the user picked a folder
  // Nothing when backup is off without a folder: run the folder chooser instead.
  std::optional<StatusText> toggleBackupEnabled();
  // Clears the warning flag; call processBackupQueue() next, then show the status.
  StatusText retryBackupNow();
  // "Wake & Reconnect Drive": a failure after it warns again.
  void clearWarnedThisSession() { warnedThisSession_ = false; }
  CommandOutcome backupMissingNow(const ImageNameTest& isImageFileName);
  // The same in two steps, so that the walk can run off the controller's thread: the alert when
  // there is nothing to walk, else the folders to walk; then the photos the walk found.
  std::optional<AlertText> missingBackupsRefusal() const;
  CommandOutcome queueMissingBackups(const std::vector<std::string>& sources);
  // Nothing to ask when the queue is empty; otherwise clear only on the confirm button.
  std::optional<ConfirmText> clearBackupQueueQuestion() const;
  CommandOutcome clearBackupQueue();

  // The could-not-back-up list: nothing to show when it is empty.
  std::optional<FailedBackupsText> failedBackupsQuestion() const;
  // Back into the queue, all of them; call processBackupQueue() next.
  CommandOutcome retryFailedBackups();
  CommandOutcome removeFailedBackups();
  const FailedBackups& failedBackups() const { return failed_; }
  // The record of copies checked byte for byte; shared with the jobs and walks that read it.
  const std::shared_ptr<VerifiedCopies>& verifiedCopies() const { return verified_; }

  // Photos of the target folder were renamed or moved (a folder renamed, merged or moved to
  // another name): their entries follow them, in the queue and on the list.
  void photosRenamed(const std::vector<std::pair<std::string, std::string>>& renames);

  // Where the backup copy of a folder inside the target folder is, for mirroring a folder
  // rename; nothing when backup is off, a folder is missing, or `folder` is not strictly
  // inside the target folder (the backup folder itself is never renamed).
  std::optional<std::string> backupMirrorOfFolder(const std::string& folder) const;

  RecoverySettings recoverySettings(std::string hardwareAddress, std::string shareUrl) const;
  BackupDisplayState displayState() const;

  const BackupQueue& queue() const { return queue_; }
  const std::string& backupDir() const { return backupDir_; }
  const std::string& targetDir() const { return targetDir_; }
  bool enabled() const { return enabled_; }
  bool busy() const { return busy_; }
  bool slow() const { return slow_; }
  bool offline() const { return offline_; }
  bool full() const { return full_; }
  bool warnedThisSession() const { return warnedThisSession_; }
  bool retryTimerWanted() const { return retryTimerWanted_; }
  std::int64_t batchDone() const { return batchDone_; }
  std::int64_t batchTotal() const { return batchTotal_; }

 private:
  void saveQueue();
  void resetBatch();
  // The head waits: the destination (or the target folder) cannot take copies now.
  void pause(JobFinish& finish, AlertText alert, bool attemptRecovery);
  // The head can never be copied as it is: it leaves the queue for the list.
  void setAside(JobFinish& finish, const std::string& source, std::string reason);
  // One photo's result, in queue order; false when it paused the backup.
  bool finishPhoto(JobFinish& finish, const CopyJob& job, const CopyResult& result);

  std::filesystem::path queueFile_;
  BackupQueue queue_;
  std::string backupDir_;
  std::string targetDir_;
  bool enabled_ = false;
  bool busy_ = false;
  bool slow_ = false;
  bool offline_ = false;
  bool full_ = false;
  FailedBackups failed_;
  std::shared_ptr<VerifiedCopies> verified_;
  bool queueFileUnreadable_ = false;
  bool queueWriteFailing_ = false;
  std::optional<AlertText> queueFileAlert_;
  bool warnedThisSession_ = false;
  bool retryTimerWanted_ = false;
  std::int64_t batchDone_ = 0;
  std::int64_t batchTotal_ = 0;
  // The queued paths `batchTotal_` counts: entries left from the last run, or cleared while
  // copying, must not count as done.
  std::unordered_set<std::string> batchMembers_;
  std::uint64_t runningRunId_ = 0;
  std::uint64_t lastRunId_ = 0;
  std::shared_ptr<RunProgress> runningProgress_;
  std::uint64_t progressSeen_ = 0;
};

}  // namespace vantrel::backup
