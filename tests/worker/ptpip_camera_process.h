// The PTP/IP test camera (vantrel_ptpip_camera) on a free loopback port, for black-box tests of the
// worker over the libgphoto2 bridge. Its standard input is a pipe of ours, so it ends with the
// test.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "child_process.h"

class PtpIpCameraProcess {
 public:
  // Files go to `dir` (control file, copies of every shot); image_bytes 0: the plain picture.
  PtpIpCameraProcess(const std::filesystem::path& dir, uint64_t image_bytes = 0);

  bool listening() const { return port_ != 0; }
  // The libgphoto2 port of this camera: commands and events on the one port.
  std::string gphoto_port() const;
  // Appends a control line ("shoot 2", "unplug").
  void command(const std::string& line) const;
  // The bytes the camera made for a file of that name.
  std::string shot_bytes(const std::string& name) const;
  ChildProcess& output() { return *process_; }

 private:
  std::filesystem::path control_;
  std::filesystem::path dump_;
  std::unique_ptr<ChildProcess> process_;
  int port_ = 0;
};

// Reads a whole file as bytes.
std::string file_bytes(const std::filesystem::path& path);
