// A command runner that records instead of running, and a fresh folder per test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "command_runner.h"

namespace vantrel::platform::testing {

namespace fs = std::filesystem;

struct RecordingRunner : CommandRunner {
  CommandResult run(const std::string& program, const std::vector<std::string>& args) override {
    std::string line = program;
    for (const std::string& arg : args) line += " " + arg;
    calls.push_back(line);
    return answer;
  }
  CommandResult answer{true, false, 0, ""};
  std::vector<std::string> calls;
};

class TempDir {
 public:
  TempDir() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::temp_directory_path() / ("vantrel_platform_" + std::to_string(::getpid()) + "_" +
                                         test->test_suite_name() + "_" + test->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  fs::path operator/(const fs::path& sub) const { return path_ / sub; }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

inline void writeFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

}  // namespace vantrel::platform::testing
