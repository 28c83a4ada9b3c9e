#include "call_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace simcam {

CallLog::~CallLog() {
  close();
}

void CallLog::open(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (fd_ >= 0) ::close(fd_);
  fd_ = path.empty() ? -1 : ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
}

void CallLog::close() {
  std::lock_guard lock(mutex_);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void CallLog::write(std::string_view line) {
  std::lock_guard lock(mutex_);
  if (fd_ < 0) return;
  std::string text(line);
  text += '\n';
  // A log is a test aid: a failed write must not change what the caller sees.
  [[maybe_unused]] const ssize_t written = ::write(fd_, text.data(), text.size());
}

std::string hex32(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

std::string call_line(std::string_view name, std::string_view fields, uint32_t result) {
  std::string line(name);
  if (!fields.empty()) {
    line += ' ';
    line += fields;
    line += ' ';
  }
  line += '=';
  line += hex32(result);
  return line;
}

}  // namespace simcam
