#include "atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace vantrel {

namespace {

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A hidden name of our own beside the target, so that a user's file is never clobbered.
std::filesystem::path temporary_path_for(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  std::string name = "." + path.filename().string() + "." + std::to_string(::getpid()) + "." +
                     std::to_string(counter++) + ".tmp";
  return path.parent_path() / name;
}

}  // namespace

bool write_file_atomically(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = temporary_path_for(path);
    // 0666 before the umask, like any newly created file: an export must stay shareable.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  const bool written = write_all(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace vantrel
