#include "process_command_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <thread>

extern char** environ;

namespace vantrel::platform {

namespace {

// Owns one spawn attribute set and file-action list for the life of one run.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attributes_);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  bool prepare(int outputWriteEnd) {
    // No terminal to ask on: a command that wants a password must fail, not wait forever.
    if (posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0) != 0 ||
        posix_spawn_file_actions_adddup2(&actions_, outputWriteEnd, 1) != 0 ||
        posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0) != 0)
      return false;
    // Its own process group, so that a timeout also ends the helpers it starts (mount.cifs).
    // The application may block signals in its threads; the child starts clean.
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    return posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                                      POSIX_SPAWN_SETSIGDEF) == 0 &&
           posix_spawnattr_setpgroup(&attributes_, 0) == 0 &&
           posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
           posix_spawnattr_setsigdefault(&attributes_, &defaults) == 0;
  }

  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

// Waits for the child until `deadline`; nothing when it is still running then.
std::optional<int> waitForExit(pid_t pid, std::chrono::steady_clock::time_point deadline) {
  while (true) {
    int status = 0;
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (ended < 0 && errno != EINTR) return -1;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void killAndReap(pid_t pid) {
  ::kill(-pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

ProcessCommandRunner::ProcessCommandRunner(std::chrono::milliseconds timeout,
                                           std::size_t outputLimit)
    : timeout_(timeout), outputLimit_(outputLimit) {}

CommandResult ProcessCommandRunner::run(const std::string& program,
                                        const std::vector<std::string>& arguments) {
  CommandResult result;
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return result;

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t pid = -1;
  int spawnError = EINVAL;
  {
    SpawnSetup setup;
    if (setup.prepare(pipeEnds[1]))
      spawnError = posix_spawnp(&pid, program.c_str(), setup.actions(), setup.attributes(),
                                argv.data(), environ);
  }
  ::close(pipeEnds[1]);
  if (spawnError != 0) {
    ::close(pipeEnds[0]);
    return result;
  }
  result.started = true;

  const auto deadline = std::chrono::steady_clock::now() + timeout_;
  char buffer[4096];
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timedOut = true;
      break;
    }
    pollfd watched{pipeEnds[0], POLLIN, 0};
    const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) continue;  // the deadline check above ends it
    if (ready < 0) break;
    const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // every writer has closed the pipe
    const std::size_t room = outputLimit_ - std::min(outputLimit_, result.output.size());
    result.output.append(buffer, std::min(room, static_cast<std::size_t>(got)));
  }
  ::close(pipeEnds[0]);
  // A command may close its output and go on running: the deadline holds for it too.
  const std::optional<int> status = result.timedOut ? std::nullopt : waitForExit(pid, deadline);
  if (!status) {
    result.timedOut = true;
    killAndReap(pid);
  } else {
    result.exitStatus = *status;
  }
  return result;
}

}  // namespace vantrel::platform
