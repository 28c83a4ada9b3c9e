#include "backup_coordinator.h"

#include "backup_paths.h"
#include "backup_queue_file.h"
#include "path_inside.h"

namespace vantrel::backup {

BackupCoordinator::BackupCoordinator(std::filesystem::path queueFile)
    : queueFile_(std::move(queueFile)) {}

void BackupCoordinator::restoreSettings(std::string backupDir, bool enabled) {
  backupDir_ = std::move(backupDir);
  enabled_ = enabled && !backupDir_.empty();
}

bool BackupCoordinator::loadQueue() {
  if (!queueFile_.empty()) queue_.assign(loadBackupQueue(queueFile_));
  return enabled_ && !queue_.empty();
}

void BackupCoordinator::saveQueue() const {
  // An unwritable file costs only the restart safety; the queue in memory goes on working.
  if (!queueFile_.empty()) saveBackupQueue(queueFile_, queue_);
}

void BackupCoordinator::resetBatch() {
  batchDone_ = 0;
  batchTotal_ = 0;
  batchMembers_.clear();
}

bool BackupCoordinator::backupSavedFile(const std::string& path) {
  if (!enabled_ || backupDir_.empty() || path.empty()) return false;
  if (!queue_.append(path)) return false;
  batchMembers_.insert(path);
  ++batchTotal_;
  saveQueue();
  return true;
}

std::optional<CopyJob> BackupCoordinator::processBackupQueue() {
  if (busy_ || !enabled_ || queue_.empty() || backupDir_.empty()) return std::nullopt;
  const std::string& source = queue_.front();
  CopyJob job{++lastJobId_, source, backupDir_,
              backupDestForSource(source, targetDir_, backupDir_)};
  busy_ = true;
  slow_ = false;
  runningJobId_ = job.id;
  return job;
}

bool BackupCoordinator::markSlowIfStillRunning(std::uint64_t jobId) {
  if (!busy_ || jobId != runningJobId_ || slow_) return false;
  slow_ = true;
  return true;
}

JobFinish BackupCoordinator::finishJob(const CopyJob& job, const CopyResult& result) {
  JobFinish finish;
  if (!busy_ || job.id != runningJobId_) return finish;  // not the job that is running
  busy_ = false;
  slow_ = false;

  if (result.outcome == CopyOutcome::Failed) {
    offline_ = true;
    finish.attemptRecovery = true;
    if (!warnedThisSession_) {
      warnedThisSession_ = true;
      finish.alert = backupPausedAlert(static_cast<std::int64_t>(queue_.size()), result.errorText);
    }
    if (!retryTimerWanted_) {
      retryTimerWanted_ = true;
      finish.startRetryTimer = true;
    }
    return finish;  // the entry stays at the head
  }

  if (queue_.remove(job.source)) saveQueue();
  // Only entries of this batch count, so the progress never passes 100%.
  if (batchMembers_.erase(job.source) != 0 && result.outcome == CopyOutcome::Copied) ++batchDone_;
  offline_ = false;
  warnedThisSession_ = false;
  if (queue_.empty()) resetBatch();
  finish.processNext = true;
  return finish;
}

bool BackupCoordinator::retryTick() {
  if (!queue_.empty() && enabled_) return true;
  retryTimerWanted_ = false;
  return false;
}

StatusText BackupCoordinator::chooseBackupFolder(std::string path) {
  backupDir_ = std::move(path);
  enabled_ = true;
  warnedThisSession_ = false;
  return backupOnStatus(backupDir_, StatusKind::Good);
}

std::optional<StatusText> BackupCoordinator::toggleBackupEnabled() {
  if (!enabled_ && backupDir_.empty()) return std::nullopt;
  enabled_ = !enabled_;
  warnedThisSession_ = false;
  return enabled_ ? backupOnStatus(backupDir_, StatusKind::Neutral) : backupOffStatus();
}

StatusText BackupCoordinator::retryBackupNow() {
  warnedThisSession_ = false;
  return retryStatus(static_cast<std::int64_t>(queue_.size()));
}

CommandOutcome BackupCoordinator::backupMissingNow(const ImageNameTest& isImageFileName) {
  CommandOutcome outcome;
  if (!enabled_ || backupDir_.empty()) {
    outcome.alert = backupNotSetUpAlert();
    return outcome;
  }
  if (targetDir_.empty()) {
    outcome.alert = noTargetFolderAlert();
    return outcome;
  }
  std::int64_t queued = 0;
  for (const std::string& source : findMissingBackups(targetDir_, backupDir_, isImageFileName)) {
    if (!queue_.append(source)) continue;
    batchMembers_.insert(source);
    ++queued;
  }
  batchTotal_ += queued;
  saveQueue();
  outcome.status = missingFilesStatus(queued);
  outcome.processQueue = queued > 0;
  return outcome;
}

std::optional<ConfirmText> BackupCoordinator::clearBackupQueueQuestion() const {
  if (queue_.empty()) return std::nullopt;
  return clearQueueConfirmation(static_cast<std::int64_t>(queue_.size()));
}

CommandOutcome BackupCoordinator::clearBackupQueue() {
  CommandOutcome outcome;
  if (queue_.empty()) {
    outcome.status = queueAlreadyEmptyStatus();
    return outcome;
  }
  // A copy already running finishes normally.
  queue_.clear();
  saveQueue();
  offline_ = false;
  resetBatch();
  retryTimerWanted_ = false;
  outcome.stopRetryTimer = true;
  outcome.status = queueClearedStatus();
  return outcome;
}

std::optional<std::string> BackupCoordinator::backupMirrorOfFolder(
    const std::string& folder) const {
  if (!enabled_ || backupDir_.empty() || targetDir_.empty()) return std::nullopt;
  const std::optional<std::filesystem::path> inside = relative_path_inside(targetDir_, folder);
  if (!inside || inside->empty()) return std::nullopt;
  return backupDestForSource(folder, targetDir_, backupDir_);
}

RecoverySettings BackupCoordinator::recoverySettings(std::string hardwareAddress,
                                                     std::string shareUrl) const {
  return {enabled_, backupDir_, std::move(hardwareAddress), std::move(shareUrl)};
}

BackupDisplayState BackupCoordinator::displayState() const {
  return {enabled_,   backupDir_, static_cast<std::int64_t>(queue_.size()), busy_, slow_, offline_,
          batchDone_, batchTotal_};
}

}  // namespace vantrel::backup
