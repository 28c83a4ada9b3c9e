// A fresh folder per test, small file helpers and a scriptable filing host.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "filing_host.h"
#include "photo_counter.h"

namespace vantrel::filing::testing {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / ("vantrel_filing_" + std::to_string(::getpid()) + "_" +
                                         test->test_suite_name() + "_" + test->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  static void write(const fs::path& path, const std::string& bytes = "photo") {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static Names namesIn(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().native());
    std::sort(names.begin(), names.end());
    return names;
  }
  // A folder holding `images` photos named after it.
  static void makePhotoFolder(const fs::path& folder, int images) {
    fs::create_directories(folder);
    for (int i = 1; i <= images; ++i)
      write(folder / (folder.filename().native() + "_000" + std::to_string(i) + ".JPG"));
  }

  fs::path root_;
};

// Answers like the application would. `onAdvance` runs inside the counter hop, between the
// choice of a number and the move, where the operator or another program may act.
class FakeFilingHost : public FilingHost {
 public:
  std::optional<std::uint64_t> freeBytes;  // nothing: the volume cannot be read
  FilingSnapshot snapshot;
  std::function<void(std::int64_t next)> onAdvance;

  std::optional<std::uint64_t> freeBytesOnTargetVolume() override { return freeBytes; }
  FilingSnapshot snapshotForFiling() override { return snapshot; }
  void advanceCounter(std::int64_t next) override {
    if (onAdvance) onAdvance(next);
    if (auto text = counterTextAfterFiling(snapshot.counterText, next))
      snapshot.counterText = *text;
  }
};

}  // namespace vantrel::filing::testing
