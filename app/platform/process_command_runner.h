// Runs commands as child processes: no shell, standard input and error on /dev/null, standard
// output captured, and the whole process group killed when it runs too long. Holds no state
// between runs, so several threads may use one runner.
#pragma once

#include <chrono>
#include <cstddef>

#include "command_runner.h"

namespace vantrel::platform {

class ProcessCommandRunner : public CommandRunner {
 public:
  explicit ProcessCommandRunner(std::chrono::milliseconds timeout = std::chrono::seconds(30),
                                std::size_t outputLimit = 1 << 20);

  CommandResult run(const std::string& program, const std::vector<std::string>& arguments) override;

 private:
  std::chrono::milliseconds timeout_;
  std::size_t outputLimit_;
};

}  // namespace vantrel::platform
