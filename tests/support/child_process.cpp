#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

// A child that closed its input usually ends at once; a sanitized one first looks for leaks.
// Killed before it is done, its report would be lost.
constexpr std::chrono::milliseconds kOwnExitGrace(3000);

// The first line of a report of AddressSanitizer or LeakSanitizer, the line of an
// UndefinedBehaviorSanitizer finding, or the summary that closes any of them.
bool is_sanitizer_report_line(const std::string& line) {
  return line.find("ERROR: AddressSanitizer") != std::string::npos ||
         line.find("ERROR: LeakSanitizer") != std::string::npos ||
         line.find(": runtime error: ") != std::string::npos ||
         (line.rfind("SUMMARY: ", 0) == 0 && line.find("Sanitizer") != std::string::npos);
}

std::vector<std::string> child_environment(const ChildProcess::Env& extra) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "VANTREL_", 8) == 0) continue;
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('='));
    if (extra.count(name) == 0) env.push_back(entry);
  }
  for (const auto& [name, value] : extra) env.push_back(name + "=" + value);
  return env;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const Env& env, bool keep_stderr)
    : program_(program) {
  int in_pipe[2];
  int out_pipe[2];
  if (pipe2(in_pipe, O_CLOEXEC) != 0 || pipe2(out_pipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  std::vector<std::string> argv_strings{program};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<std::string> env_strings = child_environment(env);
  std::vector<char*> argv;
  for (auto& s : argv_strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& s : env_strings) envp.push_back(s.data());
  envp.push_back(nullptr);

  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    dup2(in_pipe[0], STDIN_FILENO);
    dup2(out_pipe[1], STDOUT_FILENO);
    if (!keep_stderr) dup2(out_pipe[1], STDERR_FILENO);
    execve(program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  stdin_fd_ = in_pipe[1];
  stdout_fd_ = out_pipe[0];
  signal(SIGPIPE, SIG_IGN);
}

ChildProcess::~ChildProcess() {
  close_stdin();
  if (!status_) {
    if (!wait_exit(kOwnExitGrace)) {
      kill(pid_, SIGKILL);
      wait_exit(std::chrono::milliseconds(5000));
    }
  }
  drain(std::chrono::milliseconds(2000));
  if (stdout_fd_ >= 0) close(stdout_fd_);
  const auto first = std::find_if(lines_.begin(), lines_.end(), is_sanitizer_report_line);
  if (first != lines_.end()) {
    std::string report;
    for (auto it = first; it != lines_.end(); ++it) report += *it + "\n";
    ADD_FAILURE() << program_ << " (pid " << pid_ << ", exit status "
                  << (status_ ? std::to_string(*status_) : std::string("unknown"))
                  << ") wrote a sanitizer report:\n"
                  << report;
  }
}

void ChildProcess::write(const std::string& text) {
  if (stdin_fd_ < 0) return;
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(stdin_fd_, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;
    }
    done += static_cast<size_t>(n);
  }
}

void ChildProcess::close_stdin() {
  if (stdin_fd_ >= 0) {
    close(stdin_fd_);
    stdin_fd_ = -1;
  }
}

void ChildProcess::close_stdout_for_test() {
  if (stdout_fd_ >= 0) {
    close(stdout_fd_);
    stdout_fd_ = -1;
  }
  eof_ = true;
}

bool ChildProcess::fill(std::chrono::steady_clock::time_point deadline) {
  if (eof_) return false;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  pollfd pfd{stdout_fd_, POLLIN, 0};
  const int ready = poll(&pfd, 1, static_cast<int>(std::max<long long>(0, left.count())));
  if (ready <= 0) return false;
  char chunk[4096];
  const ssize_t n = read(stdout_fd_, chunk, sizeof chunk);
  if (n <= 0) {
    if (n < 0 && errno == EINTR) return true;
    eof_ = true;
    if (!buffer_.empty()) {
      lines_.push_back(buffer_);
      buffer_.clear();
    }
    return false;
  }
  buffer_.append(chunk, static_cast<size_t>(n));
  size_t newline;
  while ((newline = buffer_.find('\n')) != std::string::npos) {
    lines_.push_back(buffer_.substr(0, newline));
    buffer_.erase(0, newline + 1);
  }
  return true;
}

std::optional<std::string> ChildProcess::next_line(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (next_unread_ >= lines_.size()) {
    if (!fill(deadline) && (eof_ || std::chrono::steady_clock::now() >= deadline)) {
      if (next_unread_ >= lines_.size()) return std::nullopt;
    }
  }
  return lines_[next_unread_++];
}

std::optional<std::string> ChildProcess::wait_for(
    const std::function<bool(const std::string&)>& match, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    auto line = next_line(std::max(left, std::chrono::milliseconds(0)));
    if (!line) return std::nullopt;
    if (match(*line)) return line;
  }
}

std::optional<std::string> ChildProcess::wait_for_line(const std::string& exact,
                                                       std::chrono::milliseconds timeout) {
  return wait_for([&](const std::string& l) { return l == exact; }, timeout);
}

std::optional<std::string> ChildProcess::wait_for_prefix(const std::string& prefix,
                                                         std::chrono::milliseconds timeout) {
  return wait_for([&](const std::string& l) { return l.rfind(prefix, 0) == 0; }, timeout);
}

void ChildProcess::drain(std::chrono::milliseconds timeout) {
  wait_for([](const std::string&) { return false; }, timeout);
}

std::optional<int> ChildProcess::wait_exit(std::chrono::milliseconds timeout) {
  if (status_) return status_;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return status_;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::vector<std::string> ChildProcess::lines_with_prefix(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const auto& l : lines_) {
    if (l.rfind(prefix, 0) == 0) found.push_back(l);
  }
  return found;
}

std::vector<std::string> ChildProcess::lines_without_prefix(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const auto& l : lines_) {
    if (l.rfind(prefix, 0) != 0) found.push_back(l);
  }
  return found;
}

bool ChildProcess::saw(const std::string& exact) const {
  return index_of(exact) >= 0;
}

int ChildProcess::index_of(const std::string& exact) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i] == exact) return static_cast<int>(i);
  }
  return -1;
}
