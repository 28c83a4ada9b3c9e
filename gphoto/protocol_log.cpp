#include "protocol_log.h"

#include <limits.h>
#include <unistd.h>

#include <cerrno>

namespace gphoto {

std::string worker_log_line(const std::string& text) {
  std::string line = "LOG|[CPP_WORKER] " + text;
  if (line.size() > PIPE_BUF - 1) line.resize(PIPE_BUF - 1);
  for (char& c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) c = ' ';
  }
  line.push_back('\n');
  return line;
}

void write_worker_log(const std::string& text) {
  const std::string line = worker_log_line(text);
  ssize_t written = -1;
  do {
    written = ::write(STDOUT_FILENO, line.data(), line.size());
  } while (written < 0 && errno == EINTR);
}

}  // namespace gphoto
