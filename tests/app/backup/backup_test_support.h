// A fresh folder per test, and small file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "backup_queue.h"

namespace vantrel::backup::testing {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::temp_directory_path() / ("vantrel_backup_" + std::to_string(::getpid()) + "_" +
                                         test->test_suite_name() + "_" + test->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const fs::path& path() const { return path_; }
  fs::path operator/(const fs::path& sub) const { return path_ / sub; }

 private:
  fs::path path_;
};

inline void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline BackupQueue queueOf(const std::vector<std::string>& paths) {
  BackupQueue queue;
  queue.assign(paths);
  return queue;
}

// Every entry below `dir`, relative, sorted.
inline std::vector<std::string> treeOf(const fs::path& dir) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    entries.push_back(entry.path().lexically_relative(dir).string());
  std::sort(entries.begin(), entries.end());
  return entries;
}

// Texts that are no queue file: cut off, not XML, another root, an entry of another kind, a bad
// reference or base64, something after the end.
inline std::vector<std::string> unreadableQueueTexts() {
  return {"",
          "not xml at all",
          "<plist><array><string>/a</string>",
          "<plist><dict><key>a</key><string>b</string></dict></plist>",
          "<plist><array><string>/a</string><integer>1</integer></array></plist>",
          "<plist><array><string>a &bogus; b</string></array></plist>",
          "<plist><array><data>L3Bob3Rvcy9N/Gxs!ZXI=</data></array></plist>",
          "<plist><array><data>L3Bob3Rvcy9N",
          "<plist><array><string>/a</string></array></plist> trailing"};
}

}  // namespace vantrel::backup::testing
