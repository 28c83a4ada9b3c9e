#include "line_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>

namespace {

// Never destroyed: the watchdog thread may still write while the process exits.
std::mutex& output_mutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}

void write_all(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(STDOUT_FILENO, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // EPIPE and friends: nobody is listening any more
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

}  // namespace

void out(const std::string& line) {
  std::string whole = line;
  whole.push_back('\n');
  std::lock_guard lock(output_mutex());
  // One write per line, straight to the descriptor: that is the flush.
  write_all(whole.data(), whole.size());
}

std::string hex_err(uint32_t code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(code));
  return buffer;
}

std::string fixed_decimals(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}
