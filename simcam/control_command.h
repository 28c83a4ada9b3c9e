// One line of the simulated camera's control channel, e.g. "shoot 3". The library reads these lines
// and the vantrel_simcam tool writes them; both parse with this code so they always agree.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace simcam {

struct ControlCommand {
  enum class Kind { Shoot, Shutdown, Unplug, Plug };
  Kind kind = Kind::Shoot;
  int count = 0;  // pictures for Shoot, 0 otherwise

  bool operator==(const ControlCommand&) const = default;
};

// The most pictures one "shoot N" may ask for.
constexpr int kMaxShotsPerCommand = 1000;

// Accepts "shoot", "shoot N" (N from 1 to kMaxShotsPerCommand), "shutdown", "unplug" and "plug",
// with any blanks around the words (a trailing "\r" too). Anything else gives nullopt.
std::optional<ControlCommand> parse_control_command(std::string_view line);

// The canonical line for a command, without a newline: "shoot", "shoot 3", "plug", ...
std::string format_control_command(const ControlCommand& command);

}  // namespace simcam
