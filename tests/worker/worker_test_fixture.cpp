#include "worker_test_fixture.h"

#include <unistd.h>

#include <fstream>

namespace fs = std::filesystem;

void WorkerTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = fs::temp_directory_path() / ("vantrel_worker_" + std::to_string(getpid()) + "_" +
                                      info->test_suite_name() + "_" + info->name());
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  download_ = dir_ / "download";
  fs::create_directories(download_);
  sim_log_ = dir_ / "sim.log";
}

void WorkerTest::TearDown() {
  worker_.reset();
  if (!HasFailure()) fs::remove_all(dir_);
}

ChildProcess& WorkerTest::start(const ChildProcess::Env& env, const std::string& save_mode,
                                const std::string& sdk_path) {
  ChildProcess::Env full = env;
  full.emplace("VANTREL_SIM_LOG", sim_log_.string());
  full.emplace("VANTREL_SIM_CHECK", "1");
  worker_ = std::make_unique<ChildProcess>(
      VANTREL_WORKER_PATH, std::vector<std::string>{download_.string(), sdk_path, save_mode}, full);
  EXPECT_TRUE(worker_->wait_for_line("READY|OK", 5s)) << "the worker did not start";
  return *worker_;
}

void WorkerTest::connect(const std::string& command) {
  worker_->send(command);
  auto end = worker_->wait_for(
      [](const std::string& l) { return l == "CONNECTED|OK" || l.rfind("ERROR|", 0) == 0; }, 60s);
  ASSERT_TRUE(end) << "no answer to " << command;
  ASSERT_EQ(*end, "CONNECTED|OK");
}

std::vector<std::string> WorkerTest::lines_after(int from, const std::string& prefix) const {
  std::vector<std::string> found;
  const auto& lines = worker_->lines();
  for (size_t i = static_cast<size_t>(std::max(from, 0)); i < lines.size(); ++i) {
    if (lines[i].rfind(prefix, 0) == 0) found.push_back(lines[i]);
  }
  return found;
}

ChildProcess::Env WorkerTest::fast_camera_env(ChildProcess::Env extra) {
  extra.emplace("VANTREL_CPP_DETECT_STRATEGY", "v21");
  extra.emplace("VANTREL_DIAG", "0");
  return extra;
}

std::vector<std::string> read_lines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}
