#include "backup_texts.h"

#include "plural.h"

namespace vantrel::backup {

AlertText backupPausedAlert(std::int64_t waiting, std::string_view errorText) {
  const std::string reason = errorText.empty() ? "" : ": " + std::string(errorText);
  return {"Backup Paused",
          "The backup drive isn't reachable" + reason + ", so " + counted(waiting, "photo") + " " +
              (waiting == 1 ? "is" : "are") +
              " waiting.\n\nYour primary save is fine. Backups resume automatically when the "
              "drive/Wi-Fi reconnects — or use Backup ▸ Retry Backup Now."};
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
