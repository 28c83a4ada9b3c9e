// A worker connected to the simulated camera and watching, with pictures taken through the
// camera's control file.
#pragma once

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "worker_test_fixture.h"

class WatchingTest : public WorkerTest {
 protected:
  // Connects with capture on (`watch`) or off; `env` adds to the fast discovery's options.
  ChildProcess& start_watching(ChildProcess::Env env = {}, bool watch = true) {
    env.emplace("VANTREL_SIM_CONTROL", control().string());
    env.emplace("VANTREL_CPP_REGISTER_STATE_HANDLER", "1");
    auto& worker = start(fast_camera_env(env));
    connect();
    if (watch) {
      worker.send("PUMP_ACTIVE");
      EXPECT_TRUE(worker.wait_for_line("PUMP_ACTIVE_READY|OK", 5s));
    }
    return worker;
  }
  std::filesystem::path control() const { return dir_ / "control"; }
  void camera(const std::string& command) {
    std::ofstream(control(), std::ios::app) << command << "\n";
  }
  std::vector<std::string> files_in(const std::filesystem::path& folder) const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
      names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> files_in_download() const { return files_in(download_); }
};
