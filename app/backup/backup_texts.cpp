#include "backup_texts.h"

#include <filesystem>

#include "failed_backups.h"
#include "plural.h"

namespace vantrel::backup {

namespace {
// "1 photo is", "3 photos are".
std::string photosAre(std::int64_t count) {
  return counted(count, "photo") + (count == 1 ? " is" : " are");
}
}  // namespace

AlertText backupPausedAlert(std::int64_t waiting, std::string_view errorText) {
  const std::string reason = errorText.empty() ? "" : ": " + std::string(errorText);
  return {"Backup Paused",
          "The backup drive isn't reachable" + reason + ", so " + photosAre(waiting) +
              " waiting.\n\nYour primary save is fine. Backups resume automatically when the "
              "drive/Wi-Fi reconnects — or use Backup ▸ Retry Backup Now."};
}

AlertText backupDriveFullAlert(std::int64_t waiting) {
  return {"Backup Drive Full",
          "The backup drive is full, so " + photosAre(waiting) +
              " waiting.\n\nYour primary save is fine. Free some space on the backup drive or "
              "choose another backup folder; backups resume on their own once there is room."};
}

AlertText targetUnavailableAlert(std::int64_t waiting) {
  return {"Backup Paused",
          "The target folder isn't available, so " + photosAre(waiting) +
              " waiting for their backup.\n\nReconnect the drive that holds the target folder; "
              "backups resume on their own."};
}

AlertText queueFileUnreadableAlert(std::string_view keptAs) {
  return {"Backup Queue Unreadable",
          "The list of photos waiting for their backup could not be read. It was kept as " +
              std::string(keptAs) +
              ".\n\nVantrel Photo Tether now looks for every photo without a backup copy, so "
              "none is forgotten."};
}

AlertText queueFileNotSavedAlert(std::string_view file) {
  return {"Backup Queue Not Saved",
          "The list of photos waiting for their backup could not be written to " +
              std::string(file) +
              ".\n\nBackups go on. Should the application end before they are done, Backup ▸ "
              "Back Up Missing Files Now… finds the waiting photos again."};
}

std::string failedBackupsMenuTitle(std::int64_t count) {
  return std::to_string(count) + " photo" + plural_s(count) + " could not be backed up…";
}

FailedBackupsText failedBackupsText(const std::vector<FailedBackup>& entries) {
  const auto count = static_cast<std::int64_t>(entries.size());
  std::string message;
  for (const FailedBackup& entry : entries) {
    message += std::filesystem::path(entry.path).filename().string() + " — " + entry.reason +
               "\n    " + entry.path + "\n";
  }
  message +=
      "\nRetry puts them back in the backup queue; Remove takes them off this list (the "
      "photos themselves stay where they are).";
  return {counted(count, "photo") + " could not be backed up", message, "Retry", "Remove", "Close"};
}

StatusText failedBackupsRetriedStatus(std::int64_t count) {
  return {"Queued " + counted(count, "photo") + " for another backup try.", StatusKind::Busy};
}

StatusText failedBackupsRemovedStatus(std::int64_t count) {
  return {"Removed " + counted(count, "photo") + " from the could-not-back-up list.",
          StatusKind::Neutral};
}

StatusText couldNotBackUpStatus(std::string_view fileName, std::string_view reason) {
  return {"Could not back up " + std::string(fileName) + ": " + std::string(reason) +
              " — see the Backup menu.",
          StatusKind::Neutral};
}

AlertText backupFolderRefusedAlert(BackupFolderConflict conflict) {
  switch (conflict) {
    case BackupFolderConflict::SameAsTarget:
      return {"Backup Folder Not Usable",
              "The backup folder is the target folder itself, so there would be no second copy "
              "anywhere. Choose a folder on another drive."};
    case BackupFolderConflict::InsideTarget:
      return {"Backup Folder Not Usable",
              "The backup folder is inside the target folder: the copies would sit on the same "
              "drive, mixed in with the photos. Choose a folder on another drive."};
    case BackupFolderConflict::ContainsTarget:
      return {"Backup Folder Not Usable",
              "The backup folder holds the target folder: the copies would sit on the same drive, "
              "around the photos. Choose a folder on another drive."};
    case BackupFolderConflict::None:
      break;
  }
  return {};
}

StatusText backupTurnedOffStatus(BackupFolderConflict conflict) {
  switch (conflict) {
    case BackupFolderConflict::SameAsTarget:
      return {"Backup OFF: the backup folder is the target folder itself.", StatusKind::Neutral};
    case BackupFolderConflict::InsideTarget:
      return {"Backup OFF: the backup folder is inside the target folder.", StatusKind::Neutral};
    case BackupFolderConflict::ContainsTarget:
      return {"Backup OFF: the backup folder holds the target folder.", StatusKind::Neutral};
    case BackupFolderConflict::None:
      break;
  }
  return backupOffStatus();
}

StatusText caseInsensitiveDriveStatus(std::string_view backupDir) {
  return {"Backup ON → " + std::string(backupDir) +
              " (this drive ignores letter case: \"Anna\" and \"anna\" are one name there)",
          StatusKind::Good};
}

StatusText backupOnStatus(std::string_view backupDir, StatusKind kind) {
  return {"Backup ON → " + std::string(backupDir), kind};
}

StatusText backupOffStatus() {
  return {"Backup OFF.", StatusKind::Neutral};
}

StatusText retryStatus(std::int64_t waiting) {
  if (waiting == 0) return {"Backup is already up to date.", StatusKind::Busy};
  return {"Retrying backup of " + counted(waiting, "file") + "…", StatusKind::Busy};
}

StatusText missingFilesStatus(std::int64_t queued) {
  if (queued == 0) return {"Backup is already complete — nothing missing.", StatusKind::Good};
  return {"Queued " + counted(queued, "missing file") + " for backup.", StatusKind::Busy};
}

AlertText backupNotSetUpAlert() {
  return {"Backup Not Set Up", "Choose a backup folder and turn Backup on first."};
}

AlertText noTargetFolderAlert() {
  return {"No Target Folder", "Choose a Target Folder first."};
}

StatusText queueAlreadyEmptyStatus() {
  return {"Backup queue is already empty.", StatusKind::Neutral};
}

ConfirmText clearQueueConfirmation(std::int64_t waiting) {
  return {"Clear " + std::to_string(waiting) + " waiting backup" + plural_s(waiting) + "?",
          "Those photos won't be backed up unless you run Back Up Missing Files Now later. Your "
          "originals in the Target Folder are untouched.",
          "Clear Queue", "Cancel"};
}

StatusText queueClearedStatus() {
  return {"Backup queue cleared.", StatusKind::Neutral};
}

}  // namespace vantrel::backup
