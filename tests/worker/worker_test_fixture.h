// Starts the real worker binary for black-box tests, with the simulated camera by default.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "child_process.h"

using namespace std::chrono_literals;

class WorkerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the worker with the download folder, `sdk_path` and `save_mode`, waits for READY|OK.
  ChildProcess& start(const ChildProcess::Env& env = {}, const std::string& save_mode = "disk",
                      const std::string& sdk_path = VANTREL_SIMCAM_PATH);
  // Sends CONNECT and waits for CONNECTED|OK; fails the test otherwise.
  void connect(const std::string& command = "CONNECT");

  // Every line of the worker after `from` (an index into lines()) that starts with `prefix`.
  std::vector<std::string> lines_after(int from, const std::string& prefix) const;

  // A fast discovery for tests that only need a camera: one short pass.
  static ChildProcess::Env fast_camera_env(ChildProcess::Env extra = {});

  std::filesystem::path dir_;       // fresh per test
  std::filesystem::path download_;  // dir_/download
  std::filesystem::path sim_log_;   // the simulated camera's call log
  std::unique_ptr<ChildProcess> worker_;
};

// The simulated camera's call log, one entry-point call a line.
std::vector<std::string> read_lines(const std::filesystem::path& path);
