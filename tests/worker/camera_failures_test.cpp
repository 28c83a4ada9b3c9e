// A camera whose calls fail, a download folder that cannot take the photo, and the shutter from
// the worker: each failure ends its command with one error line, and no photo is lost.
#include <algorithm>
#include <fstream>

#include "watching_fixture.h"

namespace fs = std::filesystem;

namespace {

using CameraFailuresTest = WatchingTest;

bool log_has(const std::vector<std::string>& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

long count_of(const std::vector<std::string>& log, const std::string& prefix) {
  return std::count_if(log.begin(), log.end(),
                       [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

TEST_F(CameraFailuresTest, AConnectStepThatFailsEndsTheConnectWithItsOwnError) {
  struct Case {
    std::string failing;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"EdsSetCapacity=0x2", "ERROR|EdsSetCapacity failed: 0x00000002"},
      {"EdsSetPropertyData=0x60", "ERROR|EdsSetPropertyData(SaveTo) failed: 0x00000060"},
      {"EdsOpenSession=0x61", "ERROR|EdsOpenSession failed: 0x00000061"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing);
    auto& worker = start(fast_camera_env({{"VANTREL_SIM_FAIL", c.failing}}));
    const auto sent = std::chrono::steady_clock::now();
    worker.send("CONNECT|disk");
    auto error = worker.wait_for_prefix("ERROR|", 30s);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, c.error);
    worker.send("PRIME");
    ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
    EXPECT_EQ(worker.lines_with_prefix("ERROR|").size(), 1u);
    EXPECT_FALSE(worker.saw("CONNECTED|OK"));
    if (c.failing.starts_with("EdsOpenSession")) {
      // Ten attempts with the short waits of a camera that is not busy: 10 x (0.35 + 0.25) s.
      const auto waited = std::chrono::steady_clock::now() - sent;
      EXPECT_GE(waited, 5400ms);
      EXPECT_LT(waited, 14s);
      EXPECT_EQ(worker.lines_with_prefix("LOG|[CPP_WORKER] EdsOpenSession attempt").size(), 10u);
    }
  }
}

TEST_F(CameraFailuresTest, ConnectWithoutAModeUsesTheStartUpModeNotTheLastOneSet) {
  auto& worker = start(fast_camera_env(), "card");
  connect("CONNECT|both");
  worker.send("SET_SAVE_DEST|disk");
  ASSERT_TRUE(worker.wait_for_line("SAVE_DEST|disk", 5s));
  const int from = static_cast<int>(worker.lines().size());
  connect("CONNECT");
  EXPECT_EQ(lines_after(from, "SAVE_DEST|"), std::vector<std::string>{"SAVE_DEST|card"});
  EXPECT_EQ(lines_after(from, "STATUS|Connected"),
            std::vector<std::string>{"STATUS|Connected (card)"});
}

TEST_F(CameraFailuresTest, ADownloadThatCannotStartLeavesNoFileAndTheNextOneWorks) {
  // Item information the camera refuses.
  {
    auto& worker = start_watching({{"VANTREL_SIM_FAIL", "EdsGetDirectoryItemInfo=0x2"}});
    camera("shoot");
    auto error = worker.wait_for_prefix("ERROR|", 10s);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "ERROR|EdsGetDirectoryItemInfo failed: 0x00000002|id=1");
    EXPECT_TRUE(worker.lines_with_prefix("DOWNLOADED|").empty());
    EXPECT_TRUE(files_in_download().empty());
    // Without the item's name and size nothing is written: the item is only released. (A command
    // is read once the download step is over.)
    worker.send("PRIME");
    ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
    const auto log = read_lines(sim_log_);
    EXPECT_EQ(count_of(log, "EdsCreateFileStream"), 0);
    EXPECT_EQ(count_of(log, "EdsRelease kind=directory-item"), 1);
  }
  // A download folder that is a file: the stream cannot be made, the file is left alone.
  sim_log_ = dir_ / "second.log";
  fs::remove(control());
  auto& worker = start_watching();
  const fs::path not_a_folder = dir_ / "not a folder";
  std::ofstream(not_a_folder) << "someone's file";
  // The camera is told through its own channel: shoot only once the worker took the folder.
  worker.send("SET_DOWNLOAD_DIR|" + not_a_folder.string());
  ASSERT_TRUE(worker.wait_for_line("DOWNLOAD_DIR|" + not_a_folder.string(), 5s));
  camera("shoot");
  auto error = worker.wait_for_prefix("ERROR|", 10s);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "ERROR|EdsCreateFileStream failed: 0x00000020|id=1");
  EXPECT_EQ(fs::file_size(not_a_folder), 14u);
  worker.send("PRIME");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
  EXPECT_EQ(count_of(read_lines(sim_log_), "EdsDownload "), 0);
  worker.send("SET_DOWNLOAD_DIR|" + download_.string());
  ASSERT_TRUE(worker.wait_for_line("DOWNLOAD_DIR|" + download_.string(), 5s));
  camera("shoot");
  ASSERT_TRUE(
      worker.wait_for_line("DOWNLOADED|" + (download_ / "IMG_0002.JPG").string() + "|id=2", 10s));
  EXPECT_EQ(worker.lines_with_prefix("ERROR|").size(), 1u);
}

TEST_F(CameraFailuresTest, APhotoThatCannotTakeItsNameIsKeptUnderItsTemporaryName) {
  // Every name the worker would try is taken: the camera name and its "-2" to "-9999" variants.
  std::ofstream(download_ / "IMG_0001.JPG") << "earlier";
  for (int n = 2; n <= 9999; ++n)
    std::ofstream(download_ / ("IMG_0001-" + std::to_string(n) + ".JPG")) << "earlier";
  auto& worker = start_watching();
  camera("shoot");
  auto error = worker.wait_for_prefix("ERROR|", 30s);
  ASSERT_TRUE(error);
  EXPECT_EQ(
      error->rfind("ERROR|Final rename failed: " + download_.string() + "/.IMG_0001.vantrel_tmp_1_",
                   0),
      0u)
      << *error;
  EXPECT_NE(error->find(" -> " + (download_ / "IMG_0001-9999.JPG").string() + " error="),
            std::string::npos)
      << *error;
  EXPECT_TRUE(worker.lines_with_prefix("DOWNLOADED|").empty());
  // The only copy of the photo is still there, whole.
  std::vector<fs::path> kept;
  for (const auto& e : fs::directory_iterator(download_))
    if (e.path().filename().string().rfind(".IMG_0001.vantrel_tmp_", 0) == 0) kept.push_back(e);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(fs::file_size(kept[0]), 200000u);
  EXPECT_EQ(fs::file_size(download_ / "IMG_0001-9999.JPG"), 7u);
}

TEST_F(CameraFailuresTest, RemoteCapturePressesWithAutofocusAndReleases) {
  auto& worker = start_watching();
  worker.send("REMOTE_CAPTURE");
  ASSERT_TRUE(worker.wait_for_line("REMOTE_CAPTURED|OK", 5s));
  ASSERT_TRUE(worker.wait_for_prefix("DOWNLOADED|", 10s));
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] EdsSendCommand(ShutterDown)=0x00000000"));
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] EdsSendCommand(ShutterOff)=0x00000000"));
  const auto log = read_lines(sim_log_);
  const auto press = std::find(log.begin(), log.end(),
                               "EdsSendCommand cmd=0x00000004 param=0x00000003 =0x00000000");
  ASSERT_NE(press, log.end());
  EXPECT_NE(
      std::find(press, log.end(), "EdsSendCommand cmd=0x00000004 param=0x00000000 =0x00000000"),
      log.end());
}

TEST_F(CameraFailuresTest, ARefusedShutterIsReportedAndNotReleased) {
  auto& worker = start_watching({{"VANTREL_SIM_FAIL", "EdsSendCommand=0x8D01"}});
  worker.send("REMOTE_CAPTURE_NONAF");
  auto error = worker.wait_for_prefix("ERROR|", 5s);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "ERROR|Remote capture failed: 0x00008D01");
  EXPECT_FALSE(worker.saw("REMOTE_CAPTURED|OK"));
  const auto log = read_lines(sim_log_);
  EXPECT_TRUE(log_has(log, "EdsSendCommand cmd=0x00000004 param=0x00010003 =0x00008D01"));
  EXPECT_FALSE(log_has(log, "EdsSendCommand cmd=0x00000004 param=0x00000000 =0x00008D01"));
}

}  // namespace
