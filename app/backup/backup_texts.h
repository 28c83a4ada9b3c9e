// The backup's own words: alerts, status lines, menu items and prompts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::backup {

enum class StatusKind { Busy, Good, Neutral };

struct StatusText {
  std::string text;
  StatusKind kind = StatusKind::Neutral;
  bool operator==(const StatusText&) const = default;
};

struct AlertText {
  std::string title;
  std::string message;
  bool operator==(const AlertText&) const = default;
};

// Asked before the queue is emptied; only the first button goes ahead.
struct ConfirmText {
  std::string message;
  std::string informative;
  std::string confirmButton;
  std::string cancelButton;
};

namespace texts {

// Backup menu, in menu order (the on/off and retry items change, see backup_display.h).
inline constexpr std::string_view kChooseBackupFolder = "Choose Backup Folder…";
inline constexpr std::string_view kWakeAndReconnect = "Wake & Reconnect Drive";
inline constexpr std::string_view kBackUpMissingFiles = "Back Up Missing Files Now…";
inline constexpr std::string_view kClearBackupQueue = "Clear Backup Queue…";

inline constexpr std::string_view kChooseFolderMessage =
    "Choose a backup folder. A network drive already mounted in File Manager works here too.";

inline constexpr std::string_view kWakeSignalSent = "Sent wake signal to the backup drive…";
inline constexpr std::string_view kDriveReconnected =
    "Backup drive reconnected — resuming backups.";

}  // namespace texts

// "Backup Paused", with the number of waiting photos and the error text when there is one.
AlertText backupPausedAlert(std::int64_t waiting, std::string_view errorText);
// The backup drive has no room left (or the user's quota is used up).
AlertText backupDriveFullAlert(std::int64_t waiting);
// The photos to copy are on a target folder that is missing or unmounted.
AlertText targetUnavailableAlert(std::int64_t waiting);

// The queue file could not be read at launch and was kept aside as `keptAs`.
AlertText queueFileUnreadableAlert(std::string_view keptAs);
// The queue file could not be written (said once until a write succeeds again).
AlertText queueFileNotSavedAlert(std::string_view file);

// The Backup menu item for the photos that could not be backed up: "2 photos could not be
// backed up…".
std::string failedBackupsMenuTitle(std::int64_t count);
// The list itself, with path and reason, and what can be done about it.
struct FailedBackupsText {
  std::string title;
  std::string message;
  std::string retryButton;
  std::string removeButton;
  std::string closeButton;
};
struct FailedBackup;
FailedBackupsText failedBackupsText(const std::vector<FailedBackup>& entries);
StatusText failedBackupsRetriedStatus(std::int64_t count);
StatusText failedBackupsRemovedStatus(std::int64_t count);
// A photo left the queue for the list.
StatusText couldNotBackUpStatus(std::string_view fileName, std::string_view reason);

// Why a backup folder cannot be used with this target folder.
enum class BackupFolderConflict { None, SameAsTarget, InsideTarget, ContainsTarget };
AlertText backupFolderRefusedAlert(BackupFolderConflict conflict);
// Said when a stored backup folder conflicts at start-up and backup is turned off.
StatusText backupTurnedOffStatus(BackupFolderConflict conflict);
// The backup folder's drive ignores letter case ("Anna" and "anna" are one name there).
StatusText caseInsensitiveDriveStatus(std::string_view backupDir);

StatusText backupOnStatus(std::string_view backupDir, StatusKind kind);
StatusText backupOffStatus();
StatusText retryStatus(std::int64_t waiting);
StatusText missingFilesStatus(std::int64_t queued);
AlertText backupNotSetUpAlert();
AlertText noTargetFolderAlert();
StatusText queueAlreadyEmptyStatus();
ConfirmText clearQueueConfirmation(std::int64_t waiting);
StatusText queueClearedStatus();

}  // namespace vantrel::backup
