// A fresh folder per test, and small file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

// Every entry below `dir`, relative, sorted.
inline std::vector<std::string> treeOf(const fs::path& dir) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    entries.push_back(entry.path().lexically_relative(dir).string());
  std::sort(entries.begin(), entries.end());
  return entries;
}

}  // namespace vantrel::backup::testing
