#include "backup_queue_file.h"

#include "atomic_file.h"
#include "string_array_plist.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

fs::path backupQueuePath(const fs::path& appSupportDir) {
  const fs::path folder = appSupportDir / "Vantrel Tether";
  std::error_code ignored;  // a failure shows when the file is written
  fs::create_directories(folder, ignored);
  return folder / "backup_queue.plist";
}

bool saveBackupQueue(const fs::path& file, const BackupQueue& queue) {
  return write_file_atomically(file, formatStringArrayPlist(queue.entries()));
}

std::vector<std::string> loadBackupQueue(const fs::path& file) {
  return readStringArrayPlistFile(file);
}

}  // namespace vantrel::backup
