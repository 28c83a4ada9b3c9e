// Workers left over from an earlier run, found in a process table laid out like /proc.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "stray_workers.h"

namespace fs = std::filesystem;

namespace {

class StrayWorkers : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("vantrel_proc_" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "proc");
    fs::create_directories(root_ / "app" / "bin");
    worker_ = root_ / "app" / "bin" / "vantrel_cpp_worker";
    std::ofstream(worker_) << "";
    fs::create_directory_symlink(root_ / "app", root_ / "linked");
  }
  void TearDown() override { fs::remove_all(root_); }

  // A process entry whose executable is `exe`.
  fs::path process(const std::string& pid, const fs::path& exe) {
    const fs::path entry = root_ / "proc" / pid;
    fs::create_directories(entry);
    fs::create_symlink(exe, entry / "exe");
    return entry;
  }
  std::vector<pid_t> find(const fs::path& workerPath, pid_t own) {
    auto found = vantrel::link::findStrayWorkers(workerPath, own, getuid(), root_ / "proc");
    std::sort(found.begin(), found.end());
    return found;
  }

  fs::path root_;
  fs::path worker_;
};

TEST_F(StrayWorkers, OnlyOtherProcessesOfOurWorkerExecutableAreStrays) {
  process("101", worker_);                        // a stray
  process("102", worker_);                        // the worker we run now
  process("103", "/usr/bin/vantrel_cpp_worker");  // another installation's, same short name
  process("104", "/bin/sh");
  process("self", worker_);                        // not a process number
  fs::create_directories(root_ / "proc" / "105");  // gone, or not ours to read: no exe link
  EXPECT_EQ(find(worker_, 102), (std::vector<pid_t>{101}));
  EXPECT_EQ(find(worker_, 0), (std::vector<pid_t>{101, 102}));
  // The application may know its worker by a path through a link; the table shows the real one.
  EXPECT_EQ(find(root_ / "linked" / "bin" / "vantrel_cpp_worker", 0),
            (std::vector<pid_t>{101, 102}));
}

TEST_F(StrayWorkers, AnotherUsersWorkerIsLeftAlone) {
  if (getuid() != 0) GTEST_SKIP() << "only the superuser can give a file to another user";
  const fs::path other = process("201", worker_);
  ASSERT_EQ(::chown(other.c_str(), getuid() + 1, getgid()), 0);
  process("202", worker_);
  EXPECT_EQ(find(worker_, 0), (std::vector<pid_t>{202}));
}

}  // namespace
