// The disk baseline of the shoot-day benchmarks: a file written the way the worker writes a
// download, with plain writes of 1 MiB and a close, no fsync unless asked for.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

// False when the file could not be made or written whole. With `dataSync`, the data is flushed
// (fdatasync) before the close.
inline bool writePlainFile(const std::string& path, long long bytes, bool dataSync = false) {
  static const std::vector<char> block(1 << 20, 'v');
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool whole = true;
  for (long long left = bytes; left > 0;) {
    const auto chunk = static_cast<std::size_t>(std::min<long long>(left, block.size()));
    if (write(fd, block.data(), chunk) != static_cast<ssize_t>(chunk)) {
      whole = false;
      break;
    }
    left -= static_cast<long long>(chunk);
  }
  if (whole && dataSync && fdatasync(fd) != 0) whole = false;
  return close(fd) == 0 && whole;
}

// Flushes a folder's entries (a rename into it) to the disk.
inline bool syncFolder(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  close(fd);
  return synced;
}
