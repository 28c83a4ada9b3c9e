// Running an outside command (ping, mount, gio) behind an interface that tests replace with a
// recording fake, so that no test ever runs them for real.
#pragma once

#include <string>
#include <vector>

namespace vantrel::platform {

struct CommandResult {
  bool started = false;   // false: the program could not be run at all
  bool timedOut = false;  // it was killed for running too long
  int exitStatus = -1;    // its exit status when it ended by itself, else -1
  std::string output;     // what it wrote to its standard output
  bool succeeded() const { return started && !timedOut && exitStatus == 0; }
};

class CommandRunner {
 public:
  virtual ~CommandRunner() = default;
  // Runs `program` (looked up on PATH) with `arguments`, without a shell, and waits for it.
  virtual CommandResult run(const std::string& program,
                            const std::vector<std::string>& arguments) = 0;
};

}  // namespace vantrel::platform
