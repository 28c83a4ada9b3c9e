// The command line of vantrel_ptpip_camera:
//   --listen 127.0.0.1:PORT   where to accept connections (PORT 0 picks a free port); required
//   --control FILE            a file whose appended lines drive the camera (control_file_watcher.h)
//   --image-bytes N           size of every JPEG (and raw file); default: the plain picture's own
//   --raw                     every shot also makes IMG_nnnn.CR2 (shot_maker.h)
//   --dump-dir DIR            a copy of every file a shot makes goes to DIR/<name>
//   --verbose                 trace the protocol on standard error
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ptpipcam {

struct CameraOptions {
  std::string host;
  uint16_t port = 0;
  std::filesystem::path control_file;
  uint64_t image_bytes = 0;
  bool raw = false;
  std::filesystem::path dump_dir;
  bool verbose = false;
};

struct ParsedOptions {
  std::optional<CameraOptions> options;
  std::string error;  // why there are none
};

// Only a loopback address is accepted: this camera is for tests on one machine.
ParsedOptions parse_camera_options(const std::vector<std::string>& args);

}  // namespace ptpipcam
