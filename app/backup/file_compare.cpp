#include "file_compare.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "file_descriptor.h"

namespace vantrel::backup {

namespace {

constexpr std::size_t kBlock = 1 << 16;

std::error_code lastError() {
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

// Fills `buffer` up to its size or the end of the file; the count read, or -1.
ssize_t readBlock(int fd, char* buffer, std::size_t size) {
  std::size_t filled = 0;
  while (filled < size) {
    const ssize_t got = ::read(fd, buffer + filled, size - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    filled += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(filled);
}

}  // namespace

ContentMatch compareFileContents(const std::filesystem::path& source,
                                 const std::filesystem::path& copy, CopyError& error) {
  FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) {
    error = {lastError(), true};
    return ContentMatch::Unreadable;
  }
  FileDescriptor other(::open(copy.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (!other.valid()) {
    if (errno == ELOOP || errno == ENOENT) return ContentMatch::Different;
    error = {lastError(), false};
    return ContentMatch::Unreadable;
  }
  struct stat sourceStat {};
  struct stat otherStat {};
  if (::fstat(in.get(), &sourceStat) != 0) {
    error = {lastError(), true};
    return ContentMatch::Unreadable;
  }
  if (::fstat(other.get(), &otherStat) != 0) {
    error = {lastError(), false};
    return ContentMatch::Unreadable;
  }
  if (!S_ISREG(otherStat.st_mode) || otherStat.st_size != sourceStat.st_size)
    return ContentMatch::Different;

  std::vector<char> ours(kBlock);
  std::vector<char> theirs(kBlock);
  for (;;) {
    const ssize_t gotOurs = readBlock(in.get(), ours.data(), kBlock);
    if (gotOurs < 0) {
      error = {lastError(), true};
      return ContentMatch::Unreadable;
    }
    const ssize_t gotTheirs = readBlock(other.get(), theirs.data(), kBlock);
    if (gotTheirs < 0) {
      error = {lastError(), false};
      return ContentMatch::Unreadable;
    }
    if (gotOurs != gotTheirs ||
        std::memcmp(ours.data(), theirs.data(), static_cast<std::size_t>(gotOurs)) != 0)
      return ContentMatch::Different;
    if (gotOurs == 0) return ContentMatch::Same;
  }
}

}  // namespace vantrel::backup
