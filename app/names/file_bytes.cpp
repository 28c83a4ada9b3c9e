#include "file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace vantrel::names {

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  // Sized up front: growing a string of a few hundred KiB costs far more than reading it.
  struct stat info {};
  std::string bytes;
  if (::fstat(fd, &info) == 0 && info.st_size > 0)
    bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t used = 0;
  bool failed = false;
  while (true) {
    if (used == bytes.size()) bytes.resize(bytes.size() + 4096);
    const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      failed = got < 0;
      break;
    }
    used += static_cast<std::size_t>(got);
  }
  ::close(fd);
  if (failed) return std::nullopt;
  bytes.resize(used);
  return bytes;
}

namespace {

bool writeAll(int fd, std::string_view bytes) {
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
std::filesystem::path temporaryPathFor(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  std::string name = "." + path.filename().string() + "." + std::to_string(::getpid()) + "." +
                     std::to_string(counter++) + ".tmp";
  return path.parent_path() / name;
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = temporaryPathFor(path);
    // 0666 before the umask, like any newly created file: an export must stay shareable.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace vantrel::names
