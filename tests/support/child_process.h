// Runs a program with pipes on its standard input and output, for black-box tests of our
// command-line programs: write command lines, read answer lines with a time limit.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
 public:
  using Env = std::map<std::string, std::string>;

  // Starts `program` with `args`. The environment is ours without any VANTREL_* variable, plus
  // `env`. Standard error goes to standard output unless `keep_stderr` is set.
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const Env& env = {}, bool keep_stderr = false);
  // Closes the child's input and gives it time to end on its own before it is killed. A sanitizer
  // report in its output (a sanitized child writes it to standard error, usually at exit, and
  // ends with a status a test may never look at) fails the running test.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Writes `text` as is (several lines in one write make a burst).
  void write(const std::string& text);
  void send(const std::string& line) { write(line + "\n"); }
  void close_stdin();
  // Closes our end of the child's output, as a parent that died would.
  void close_stdout_for_test();

  // The next output line, or nothing when the time is up or the output has ended.
  std::optional<std::string> next_line(std::chrono::milliseconds timeout);
  // Reads until a line satisfies `match`; returns it, or nothing on timeout / end of output.
  std::optional<std::string> wait_for(const std::function<bool(const std::string&)>& match,
                                      std::chrono::milliseconds timeout);
  std::optional<std::string> wait_for_line(const std::string& exact,
                                           std::chrono::milliseconds timeout);
  std::optional<std::string> wait_for_prefix(const std::string& prefix,
                                             std::chrono::milliseconds timeout);
  // Reads everything until the output ends (or the time is up).
  void drain(std::chrono::milliseconds timeout);

  // Exit status (128 + signal when killed), or nothing when it has not ended in time.
  std::optional<int> wait_exit(std::chrono::milliseconds timeout);

  // Every line read so far, in order.
  const std::vector<std::string>& lines() const { return lines_; }
  // Lines read so far that start with `prefix`.
  std::vector<std::string> lines_with_prefix(const std::string& prefix) const;
  // Lines read so far that do not start with `prefix` (e.g. everything but the log lines).
  std::vector<std::string> lines_without_prefix(const std::string& prefix) const;
  bool saw(const std::string& exact) const;
  // Index of the first line equal to `exact`, or -1.
  int index_of(const std::string& exact) const;

  pid_t pid() const { return pid_; }

 private:
  bool fill(std::chrono::steady_clock::time_point deadline);

  std::string program_;
  pid_t pid_ = -1;
  int stdin_fd_ = -1;
  int stdout_fd_ = -1;
  std::string buffer_;
  bool eof_ = false;
  std::optional<int> status_;
  std::vector<std::string> lines_;
  size_t next_unread_ = 0;
};
