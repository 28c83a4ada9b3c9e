// vantrel_simcam: sends one command to a simulated camera through its control file or FIFO.
//   vantrel_simcam [--control PATH] shoot [N] | shutdown | unplug | plug
// PATH defaults to $VANTREL_SIM_CONTROL. Exit status: 0 sent, 1 could not send, 2 usage error.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "control_command.h"

namespace {

constexpr const char* kUsage =
    "usage: vantrel_simcam [--control PATH] shoot [N] | shutdown | unplug | plug\n";

int usage_error(const std::string& why) {
  std::fprintf(stderr, "vantrel_simcam: %s\n%s", why.c_str(), kUsage);
  return 2;
}

int send_line(const std::string& path, const std::string& line) {
  struct stat info {};
  const bool fifo = ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
  // A FIFO is never waited on: without a reader the command would go nowhere.
  const int fd = fifo ? ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)
                      : ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0 && fifo && errno == ENXIO) {
    std::fprintf(stderr, "vantrel_simcam: nobody is reading %s\n", path.c_str());
    return 1;
  }
  if (fd < 0) {
    std::fprintf(stderr, "vantrel_simcam: cannot open %s: %s\n", path.c_str(),
                 std::strerror(errno));
    return 1;
  }
  const std::string text = line + "\n";  // one write, so concurrent senders never interleave
  const ssize_t written = ::write(fd, text.data(), text.size());
  const int error = errno;
  ::close(fd);
  if (written != static_cast<ssize_t>(text.size())) {
    std::fprintf(stderr, "vantrel_simcam: cannot write %s: %s\n", path.c_str(),
                 written < 0 ? std::strerror(error) : "short write");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const char* env_path = std::getenv("VANTREL_SIM_CONTROL");
  std::string path = env_path != nullptr ? env_path : "";
  std::size_t first = 0;
  if (!args.empty() && args[0] == "--control") {
    if (args.size() < 2) return usage_error("--control needs a path");
    path = args[1];
    first = 2;
  }
  if (args.size() - first < 1 || args.size() - first > 2) return usage_error("expected a command");
  std::string line = args[first];
  if (args.size() - first == 2) line += " " + args[first + 1];
  const std::optional<simcam::ControlCommand> command = simcam::parse_control_command(line);
  if (!command) return usage_error("not a command: " + line);
  if (path.empty())
    return usage_error("no control path: pass --control PATH or set VANTREL_SIM_CONTROL");
  return send_line(path, simcam::format_control_command(*command));
}
