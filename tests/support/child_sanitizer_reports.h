// Sanitizer reports of programs that a test starts through the code under test, such as the
// camera worker that the controller runs: their output goes to the controller, which has no use
// for a report, and the controller does not care how the worker ended. In a sanitized build the
// reports go to files instead, one per process, and the test reads them back.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

class ChildSanitizerReports {
 public:
  // Points the sanitizer options in our environment, which every program started from now on
  // inherits, at files in `folder` (created). Our own options stay as they are: a process reads
  // them once, at start, and its own reports still go to standard error.
  explicit ChildSanitizerReports(const std::filesystem::path& folder);
  // Puts our environment's options back as they were.
  ~ChildSanitizerReports();
  ChildSanitizerReports(const ChildSanitizerReports&) = delete;
  ChildSanitizerReports& operator=(const ChildSanitizerReports&) = delete;

  // Every report written so far, each after the name of its file; empty when there is none.
  std::string reports() const;

 private:
  std::filesystem::path folder_;
  std::optional<std::string> asan_options_;
  std::optional<std::string> ubsan_options_;
};
