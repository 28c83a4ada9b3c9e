// Releases a camera from GVfs with `gio mount -u gphoto2://[PORT]/`, run directly (no shell), its
// output discarded, and killed when it has not ended within the time limit.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "automounter.h"

namespace gphoto {

class GioAutomounter : public Automounter {
 public:
  // program: "gio" (looked up in PATH); tests give a script of their own.
  explicit GioAutomounter(std::string program = "gio",
                          std::chrono::milliseconds limit = std::chrono::seconds(5))
      : program_(std::move(program)), limit_(limit) {}

  std::string release(const std::string& port) override;

  // The GVfs address of the camera on a libgphoto2 port.
  static std::string address_of(const std::string& port);

 private:
  // "exit=N", "signal=N", "timed out", or why it could not start.
  std::string run(const std::vector<std::string>& args) const;

  std::string program_;
  std::chrono::milliseconds limit_;
};

}  // namespace gphoto
