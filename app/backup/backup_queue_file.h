// The queue file, "backup_queue.plist" in the application's own data folder, so that files
// waiting for the backup drive survive a restart.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "backup_queue.h"

namespace vantrel::backup {

// <appSupportDir>/Vantrel Tether/backup_queue.plist; creates the "Vantrel Tether" folder (and
// any missing parents).
std::filesystem::path backupQueuePath(const std::filesystem::path& appSupportDir);

// Replaces the file in one atomic step; false when it could not be written.
bool saveBackupQueue(const std::filesystem::path& file, const BackupQueue& queue);

// The queued paths, or none when the file is missing or unreadable.
std::vector<std::string> loadBackupQueue(const std::filesystem::path& file);

}  // namespace vantrel::backup
