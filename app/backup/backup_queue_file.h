// The queue file, "backup_queue.plist" in the application's own data folder, so that files
// waiting for the backup drive survive a restart.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "backup_queue.h"

namespace vantrel::backup {

// <appSupportDir>/Vantrel Tether/backup_queue.plist; creates the "Vantrel Tether" folder (and
// any missing parents).
std::filesystem::path backupQueuePath(const std::filesystem::path& appSupportDir);

// Replaces the file in one atomic step; false when it could not be written, and then the file
// is as it was.
bool saveBackupQueue(const std::filesystem::path& file, const BackupQueue& queue);

struct QueueFileRead {
  std::vector<std::string> paths;  // the queued paths, as bytes
  // Set when the file existed but could not be opened, read or parsed: the name it was renamed
  // to ("<file>.unreadable-<YYYYMMDD-HHMMSS>", "-2", "-3", … when taken), so that the next save
  // cannot overwrite the paths it may still hold. When even that rename failed, it is the name
  // tried and the file is still at its own name, unchanged. Nothing is ever deleted.
  std::optional<std::filesystem::path> movedAside;
  bool ok() const { return !movedAside; }
};

// The launch read. A missing file is an empty queue, as is an empty array.
QueueFileRead readBackupQueueFile(const std::filesystem::path& file);

// The queued paths, or none when the file is missing or unreadable; leaves the file as it is.
std::vector<std::string> loadBackupQueue(const std::filesystem::path& file);

}  // namespace vantrel::backup
