// Follows the --control file on a thread of its own and hands each command line to the camera:
// "shoot [N]" (N presses of the shutter), "unplug", "shutdown", "plug" (see camera_server.h).
// The file is read like the simulated camera's control channel (simcam/control_channel.h): what
// it holds at start counts, then every line appended; a FIFO works too.
#pragma once

#include <filesystem>
#include <functional>
#include <thread>

#include "control_command.h"
#include "status_output.h"

namespace ptpipcam {

class ControlFileWatcher {
 public:
  using Handler = std::function<void(const simcam::ControlCommand&)>;

  ControlFileWatcher(std::filesystem::path file, Handler handler, StatusOutput& output);
  // Stops following the file; a command being carried out finishes first.
  ~ControlFileWatcher();

 private:
  void run(const std::stop_token& stop);

  std::filesystem::path file_;
  Handler handler_;
  StatusOutput& output_;
  std::jthread thread_;
};

}  // namespace ptpipcam
