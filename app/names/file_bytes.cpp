#include "file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace vantrel::names
