#include "gio_automounter.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

extern char** environ;

namespace gphoto {
namespace {

constexpr auto kPollStep = std::chrono::milliseconds(20);

}  // namespace

std::string GioAutomounter::address_of(const std::string& port) {
  return "gphoto2://[" + port + "]/";
}

std::string GioAutomounter::release(const std::string& port) {
  const std::string address = address_of(port);
  return "gio mount -u " + address + " " + run({program_, "mount", "-u", address});
}

std::string GioAutomounter::run(const std::vector<std::string>& args) const {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Nothing it says may reach the worker's output, which carries the protocol.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, program_.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return std::string("not started: ") + std::strerror(spawned);

  const auto deadline = std::chrono::steady_clock::now() + limit_;
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return "lost";
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(pid, SIGKILL);
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      return "timed out";
    }
    std::this_thread::sleep_for(kPollStep);
  }
  if (WIFEXITED(status)) return "exit=" + std::to_string(WEXITSTATUS(status));
  return "signal=" + std::to_string(WTERMSIG(status));
}

}  // namespace gphoto
