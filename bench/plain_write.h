// The disk baseline of the shoot-day benchmarks: a file written the way the worker writes a
// download, with plain writes of 1 MiB and a close, no fsync.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

inline void writePlainFile(const std::string& path, long long bytes) {
  static const std::vector<char> block(1 << 20, 'v');
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  for (long long left = bytes; left > 0;) {
    const auto chunk = static_cast<std::size_t>(std::min<long long>(left, block.size()));
    if (write(fd, block.data(), chunk) != static_cast<ssize_t>(chunk)) break;
    left -= static_cast<long long>(chunk);
  }
  close(fd);
}
