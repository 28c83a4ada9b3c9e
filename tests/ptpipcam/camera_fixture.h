// Runs vantrel_ptpip_camera in a temp folder (control file, dump folder, downloads) and the real
// gphoto2 client against it, each client run with a HOME of its own since libgphoto2 keeps a
// PTP/IP identity and settings under ~/.gphoto. Every child has a time limit.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

struct ClientRun {
  std::optional<int> status;  // nothing when it did not end in time
  std::vector<std::string> lines;
  std::string text() const;
};

class PtpipCameraFixture : public ::testing::Test {
 protected:
  static constexpr std::chrono::seconds kClientTimeout{30};
  static constexpr std::chrono::seconds kLineTimeout{10};

  void SetUp() override;
  void TearDown() override;

  void start_camera(const std::vector<std::string>& extra_args = {});
  // Appends a line to the camera's control file.
  void control(const std::string& line);
  // The camera's next output line starting with `prefix`; fails the test when none comes.
  std::string camera_line(const std::string& prefix);

  // gphoto2 with the port and camera model of our camera; downloads go to downloads_.
  std::unique_ptr<ChildProcess> start_gphoto(const std::vector<std::string>& args);
  ClientRun finish(ChildProcess& client);
  ClientRun gphoto(const std::vector<std::string>& args);

  static std::vector<uint8_t> file_bytes(const std::filesystem::path& path);
  // Fails unless the download of `name` holds exactly the bytes the camera served for it.
  void expect_download_matches_camera(const std::string& name);

  std::filesystem::path dir_;
  std::filesystem::path control_file_;
  std::filesystem::path dump_;
  std::filesystem::path downloads_;
  std::unique_ptr<ChildProcess> camera_;
  uint16_t port_ = 0;

 private:
  int client_runs_ = 0;
};
