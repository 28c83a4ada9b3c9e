#include "backup_coordinator.h"

#include "backup_paths.h"
#include "backup_queue_file.h"
#include "path_inside.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

BackupCoordinator::BackupCoordinator(fs::path queueFile)
    : queueFile_(std::move(queueFile)),
      failed_(FailedBackups::besideQueueFile(queueFile_)),
      verified_(std::make_shared<VerifiedCopies>(
          queueFile_.empty() ? fs::path() : queueFile_.parent_path() / kVerifiedCopiesFileName)) {}

void BackupCoordinator::restoreSettings(std::string backupDir, bool enabled) {
  backupDir_ = std::move(backupDir);
  enabled_ = enabled && !backupDir_.empty();
}

BackupFolderConflict BackupCoordinator::folderConflict(const fs::path& backupDir,
                                                       const fs::path& targetDir) {
  if (backupDir.empty() || targetDir.empty()) return BackupFolderConflict::None;
  std::error_code ignored;
  const fs::path backup = fs::weakly_canonical(fs::absolute(backupDir, ignored), ignored);
  const fs::path target = fs::weakly_canonical(fs::absolute(targetDir, ignored), ignored);
  if (const auto inside = relative_path_inside(target, backup)) {
    return inside->empty() ? BackupFolderConflict::SameAsTarget
                           : BackupFolderConflict::InsideTarget;
  }
  if (relative_path_inside(backup, target)) return BackupFolderConflict::ContainsTarget;
  return BackupFolderConflict::None;
}

std::optional<StatusText> BackupCoordinator::turnOffIfFolderConflicts() {
  const BackupFolderConflict conflict = folderConflict(backupDir_, targetDir_);
  if (!enabled_ || conflict == BackupFolderConflict::None) return std::nullopt;
  enabled_ = false;
  return backupTurnedOffStatus(conflict);
}

bool BackupCoordinator::loadQueue() {
  failed_.load();
  verified_->load();
  if (!queueFile_.empty()) {
    QueueFileRead read = readBackupQueueFile(queueFile_);
    queue_.assign(read.paths);
    if (read.movedAside) {
      queueFileUnreadable_ = true;
      queueFileAlert_ = queueFileUnreadableAlert(read.movedAside->string());
    }
  }
  return enabled_ && !queue_.empty();
}

void BackupCoordinator::saveQueue() {
  // An unwritable file costs only the restart safety; the queue in memory goes on working, and
  // the operator is told once.
  if (queueFile_.empty()) return;
  const bool saved = saveBackupQueue(queueFile_, queue_);
  if (!saved && !queueWriteFailing_) queueFileAlert_ = queueFileNotSavedAlert(queueFile_.string());
  queueWriteFailing_ = !saved;
}

std::optional<AlertText> BackupCoordinator::takeQueueFileAlert() {
  std::optional<AlertText> alert = std::move(queueFileAlert_);
  queueFileAlert_.reset();
  return alert;
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

std::optional<CopyRun> BackupCoordinator::processBackupQueue() {
  if (busy_ || !enabled_ || queue_.empty() || backupDir_.empty()) return std::nullopt;
  CopyRun run{++lastRunId_, {}, std::make_shared<RunProgress>(0)};
  for (const std::string& source : queue_.entries()) {
    if (run.jobs.size() == kMostPhotosPerRun) break;
    run.jobs.push_back({source, backupDir_, backupDestForSource(source, targetDir_, backupDir_),
                        verified_.get(), targetDir_});
  }
  busy_ = true;
  slow_ = false;
  runningRunId_ = run.id;
  runningProgress_ = run.progress;
  progressSeen_ = 0;
  return run;
}

BackupCoordinator::SlowCheck BackupCoordinator::checkSlowRun(std::uint64_t runId) {
  if (!busy_ || runId != runningRunId_ || slow_) return SlowCheck::Stop;
  const std::uint64_t progress = runningProgress_ ? runningProgress_->load() : 0;
  if (progress != progressSeen_) {
    progressSeen_ = progress;
    return SlowCheck::Again;
  }
  slow_ = true;
  return SlowCheck::BecameSlow;
}

void BackupCoordinator::pause(JobFinish& finish, AlertText alert, bool attemptRecovery) {
  offline_ = true;
  finish.attemptRecovery = attemptRecovery;
  if (!warnedThisSession_) {
    warnedThisSession_ = true;
    finish.alert = std::move(alert);
  }
  if (!retryTimerWanted_) {
    retryTimerWanted_ = true;
    finish.startRetryTimer = true;
  }
}

void BackupCoordinator::setAside(JobFinish& finish, const std::string& source, std::string reason) {
  finish.status = couldNotBackUpStatus(fs::path(source).filename().string(), reason);
  failed_.add(source, std::move(reason));
}

JobFinish BackupCoordinator::finishJob(const CopyRun& run, const std::vector<CopyResult>& results) {
  JobFinish finish;
  if (!busy_ || run.id != runningRunId_) return finish;  // not the run that is under way
  busy_ = false;
  slow_ = false;
  runningProgress_.reset();
  const std::size_t waitingBefore = queue_.size();
  bool paused = false;
  for (std::size_t i = 0; i < results.size() && i < run.jobs.size() && !paused; ++i)
    paused = !finishPhoto(finish, run.jobs[i], results[i]);
  if (queue_.size() != waitingBefore) saveQueue();
  if (paused) return finish;
  if (queue_.empty()) resetBatch();
  finish.processNext = true;
  return finish;
}

bool BackupCoordinator::finishPhoto(JobFinish& finish, const CopyJob& job,
                                    const CopyResult& result) {
  const auto waiting = static_cast<std::int64_t>(queue_.size());
  // Renamed or cleared while it was copied: the entry that counts is no longer this one.
  const bool stillQueued = queue_.contains(job.source);

  switch (result.outcome) {
    case CopyOutcome::Failed:
      full_ = false;
      pause(finish, backupPausedAlert(waiting, result.errorText), true);
      return false;  // the entry stays at the head
    case CopyOutcome::DestinationFull:
      full_ = true;
      pause(finish, backupDriveFullAlert(waiting), false);
      return false;
    case CopyOutcome::TargetAway:
      // The photo is not gone: the drive that holds it is.
      full_ = false;
      pause(finish, targetUnavailableAlert(waiting), false);
      return false;
    case CopyOutcome::SourceMissing:
      if (stillQueued) setAside(finish, job.source, kPhotoDeletedText);
      break;
    case CopyOutcome::FileRefused:
      if (stillQueued) setAside(finish, job.source, result.errorText);
      break;
    case CopyOutcome::Copied:
      break;
  }

  queue_.remove(job.source);
  // Only entries of this batch count, so the progress never passes 100%.
  if (batchMembers_.erase(job.source) != 0 && result.outcome == CopyOutcome::Copied) ++batchDone_;
  offline_ = false;
  full_ = false;
  warnedThisSession_ = false;
  return true;
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
  full_ = false;
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

std::optional<AlertText> BackupCoordinator::missingBackupsRefusal() const {
  if (!enabled_ || backupDir_.empty()) return backupNotSetUpAlert();
  if (targetDir_.empty()) return noTargetFolderAlert();
  return std::nullopt;
}

CommandOutcome BackupCoordinator::queueMissingBackups(const std::vector<std::string>& sources) {
  CommandOutcome outcome;
  std::int64_t queued = 0;
  for (const std::string& source : sources) {
    // A photo on the could-not-back-up list waits for the operator's Retry, not for every run.
    if (failed_.contains(source) || !queue_.append(source)) continue;
    batchMembers_.insert(source);
    ++queued;
  }
  batchTotal_ += queued;
  saveQueue();
  outcome.status = missingFilesStatus(queued);
  outcome.processQueue = queued > 0;
  return outcome;
}

CommandOutcome BackupCoordinator::backupMissingNow(const ImageNameTest& isImageFileName) {
  if (auto refusal = missingBackupsRefusal()) {
    CommandOutcome outcome;
    outcome.alert = std::move(refusal);
    return outcome;
  }
  return queueMissingBackups(findMissingBackups(
      targetDir_, backupDir_, isImageFileName,
      [this](const fs::path& source) { return verified_->vouchedCopy(source).has_value(); }));
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
  full_ = false;
  resetBatch();
  retryTimerWanted_ = false;
  outcome.stopRetryTimer = true;
  outcome.status = queueClearedStatus();
  return outcome;
}

std::optional<FailedBackupsText> BackupCoordinator::failedBackupsQuestion() const {
  if (failed_.empty()) return std::nullopt;
  return failedBackupsText(failed_.entries());
}

CommandOutcome BackupCoordinator::retryFailedBackups() {
  CommandOutcome outcome;
  std::int64_t queued = 0;
  for (const FailedBackup& entry : failed_.entries()) {
    if (!queue_.append(entry.path)) continue;
    batchMembers_.insert(entry.path);
    ++queued;
  }
  batchTotal_ += queued;
  failed_.clear();
  saveQueue();
  outcome.status = failedBackupsRetriedStatus(queued);
  outcome.processQueue = queued > 0;
  return outcome;
}

CommandOutcome BackupCoordinator::removeFailedBackups() {
  CommandOutcome outcome;
  const auto count = static_cast<std::int64_t>(failed_.size());
  failed_.clear();
  outcome.status = failedBackupsRemovedStatus(count);
  return outcome;
}

void BackupCoordinator::photosRenamed(
    const std::vector<std::pair<std::string, std::string>>& renames) {
  bool queueChanged = false;
  for (const auto& [from, to] : renames) {
    if (queue_.rename(from, to)) {
      queueChanged = true;
      if (batchMembers_.erase(from) != 0) batchMembers_.insert(to);
    }
    failed_.rename(from, to);
    verified_->renamePhoto(from, to);
  }
  if (queueChanged) saveQueue();
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
  BackupDisplayState state;
  state.enabled = enabled_;
  state.backupDir = backupDir_;
  state.waiting = static_cast<std::int64_t>(queue_.size());
  state.busy = busy_;
  state.slow = slow_;
  state.offline = offline_;
  state.batchDone = batchDone_;
  state.batchTotal = batchTotal_;
  state.full = full_;
  state.failed = static_cast<std::int64_t>(failed_.size());
  return state;
}

}  // namespace vantrel::backup
