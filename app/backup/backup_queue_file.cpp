#include "backup_queue_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "atomic_file.h"
#include "move_aside.h"
#include "string_array_plist.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

namespace {

enum class Found { missing, unreadable, read };

// The whole file into `bytes`. "missing" only when there is no file at all: any other failure
// means a file is there that we could not read.
Found readWholeFile(const fs::path& file, std::string& bytes) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? Found::missing : Found::unreadable;
  Found found = Found::read;
  char buffer[16384];
  while (true) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      found = Found::unreadable;
      break;
    }
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  return found;
}

// The paths the file holds; nothing when it is missing (`found` says which) or unreadable.
std::optional<std::vector<std::string>> queuedPaths(const fs::path& file, Found& found) {
  std::string bytes;
  found = readWholeFile(file, bytes);
  if (found != Found::read) return std::nullopt;
  std::optional<std::vector<std::string>> paths = parseStringArrayPlist(bytes);
  if (!paths) found = Found::unreadable;
  return paths;
}

}  // namespace

fs::path backupQueuePath(const fs::path& appSupportDir) {
  const fs::path folder = appSupportDir / "Vantrel Tether";
  std::error_code ignored;  // a failure shows when the file is written
  fs::create_directories(folder, ignored);
  return folder / "backup_queue.plist";
}

bool saveBackupQueue(const fs::path& file, const BackupQueue& queue) {
  return write_file_atomically(file, formatStringArrayPlist(queue.entries()));
}

QueueFileRead readBackupQueueFile(const fs::path& file) {
  Found found = Found::missing;
  std::optional<std::vector<std::string>> paths = queuedPaths(file, found);
  if (paths) return {std::move(*paths), std::nullopt};
  if (found == Found::missing) return {};
  return {{}, moveAsideUnreadable(file, std::chrono::system_clock::now())};
}

std::vector<std::string> loadBackupQueue(const fs::path& file) {
  Found found = Found::missing;
  return queuedPaths(file, found).value_or(std::vector<std::string>());
}

}  // namespace vantrel::backup
