// New pictures: events, downloads into the download folder, and the pump around them.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <thread>

#include "watching_fixture.h"

namespace fs = std::filesystem;

namespace {

using DownloadTest = WatchingTest;

// The line announcing a download: its path, then the id of the CAPTURE_EVENT it answers.
std::string downloadedLine(const fs::path& path, int eventId) {
  return "DOWNLOADED|" + path.string() + "|id=" + std::to_string(eventId);
}

TEST_F(DownloadTest, APictureIsAnnouncedDownloadedCompleteAndNamed) {
  auto& worker = start_watching();
  camera("shoot");
  ASSERT_TRUE(worker.wait_for_prefix("DOWNLOADED|", 10s));
  const auto& l = worker.lines();
  const int event = worker.index_of("CAPTURE_EVENT|event=0x00000208|id=1");
  const int status = worker.index_of("STATUS|Downloaded: IMG_0001.JPG");
  ASSERT_GE(event, 0);
  ASSERT_GE(status, event);
  EXPECT_EQ(l[status + 1], downloadedLine(download_ / "IMG_0001.JPG", 1));
  EXPECT_EQ(files_in_download(), std::vector<std::string>{"IMG_0001.JPG"});
  EXPECT_EQ(fs::file_size(download_ / "IMG_0001.JPG"), 200000u);
}

TEST_F(DownloadTest, EveryPumpModeDeliversPictures) {
  for (const char* mode : {"cf", "edsgetevent", "both"}) {
    SCOPED_TRACE(mode);
    fs::remove_all(download_);
    fs::create_directories(download_);
    fs::remove(control());
    auto& worker = start_watching({{"VANTREL_CPP_PUMP_MODE", mode}});
    camera("shoot 2");
    ASSERT_TRUE(worker.wait_for_line(downloadedLine(download_ / "IMG_0002.JPG", 2), 10s));
    EXPECT_EQ(files_in_download(), (std::vector<std::string>{"IMG_0001.JPG", "IMG_0002.JPG"}));
  }
}

TEST_F(DownloadTest, RawAndJpegArriveAsTwoDownloadsRawFirst) {
  auto& worker = start_watching({{"VANTREL_SIM_RAW", "1"}, {"VANTREL_SIM_FIRST_NUMBER", "41"}});
  camera("shoot");
  ASSERT_TRUE(worker.wait_for_line(downloadedLine(download_ / "IMG_0041.JPG", 2), 10s));
  EXPECT_EQ(worker.lines_with_prefix("DOWNLOADED|"),
            (std::vector<std::string>{downloadedLine(download_ / "IMG_0041.CR3", 1),
                                      downloadedLine(download_ / "IMG_0041.JPG", 2)}));
}

TEST_F(DownloadTest, APictureWhileNotWatchingIsReleasedWithoutAFile) {
  auto& worker = start_watching({}, false);
  camera("shoot");
  ASSERT_TRUE(worker.wait_for_prefix("WARN|CAPTURE_IGNORED_NOT_WATCHING|", 10s));
  EXPECT_TRUE(worker.saw("CAPTURE_EVENT|event=0x00000208|id=1"));
  EXPECT_EQ(worker.lines_without_prefix("LOG|").back(),
            "WARN|CAPTURE_IGNORED_NOT_WATCHING|Start Watching is not active. Transfer object "
            "canceled/released without download.");
  EXPECT_TRUE(files_in_download().empty());
  // Back to idle after watching: capture is off again, pumping goes on.
  worker.send("PUMP_ACTIVE");
  worker.send("PUMP_STOP");
  ASSERT_TRUE(
      worker.wait_for_line("LOG|[CPP_WORKER] pump_enabled=0 capture_enabled=0 mode=cf "
                           "interval_ms=120",
                           5s));
  camera("shoot");
  ASSERT_TRUE(worker.wait_for_line("CAPTURE_EVENT|event=0x00000208|id=2", 10s));
  EXPECT_TRUE(files_in_download().empty());
}

TEST_F(DownloadTest, ACameraNameThatIsTakenGetsTheFirstFreeVariant) {
  std::ofstream(download_ / "IMG_0001.JPG") << "earlier photo";
  std::ofstream(download_ / "IMG_0001-2.JPG") << "another";
  auto& worker = start_watching();
  camera("shoot 2");
  ASSERT_TRUE(worker.wait_for_line(downloadedLine(download_ / "IMG_0002.JPG", 2), 10s));
  EXPECT_TRUE(worker.lines_with_prefix("ERROR|").empty());
  EXPECT_TRUE(worker.saw("STATUS|Downloaded: IMG_0001-3.JPG"));
  EXPECT_TRUE(worker.saw(downloadedLine(download_ / "IMG_0001-3.JPG", 1)));
  EXPECT_EQ(worker.lines_with_prefix("LOG|[CPP_WORKER] Camera filename collision: ").size(), 1u);
  EXPECT_EQ(files_in_download(), (std::vector<std::string>{"IMG_0001-2.JPG", "IMG_0001-3.JPG",
                                                           "IMG_0001.JPG", "IMG_0002.JPG"}));
  EXPECT_EQ(fs::file_size(download_ / "IMG_0001.JPG"), 13u);
  EXPECT_EQ(fs::file_size(download_ / "IMG_0001-3.JPG"), 200000u);
}

TEST_F(DownloadTest, ABurstOfFiftyShotsArrivesCompleteAndInOrder) {
  auto& worker = start_watching({{"VANTREL_SIM_IMAGE_BYTES", "60000"}});
  for (int i = 0; i < 50; ++i) {
    camera("shoot");
    std::this_thread::sleep_for(100ms);
  }
  ASSERT_TRUE(worker.wait_for_line(downloadedLine(download_ / "IMG_0050.JPG", 50), 30s));
  const auto downloaded = worker.lines_with_prefix("DOWNLOADED|");
  ASSERT_EQ(downloaded.size(), 50u);
  for (int i = 0; i < 50; ++i) {
    char name[32];  // room for any int: GCC warns about truncation otherwise
    std::snprintf(name, sizeof name, "IMG_%04d.JPG", i + 1);
    EXPECT_EQ(downloaded[i], downloadedLine(download_ / name, i + 1));
    EXPECT_EQ(fs::file_size(download_ / name), 60000u);
  }
  EXPECT_EQ(files_in_download().size(), 50u);  // no temporary file left
}

TEST_F(DownloadTest, AVanishedApplicationDoesNotKillTheWorkerMidDownload) {
  auto& worker = start_watching({{"VANTREL_SIM_DOWNLOAD_DELAY_MS", "500"}});
  camera("shoot");
  std::this_thread::sleep_for(200ms);  // the download is under way
  worker.close_stdout_for_test();
  std::this_thread::sleep_for(1000ms);
  worker.close_stdin();
  EXPECT_EQ(worker.wait_exit(10s), 0);
  EXPECT_EQ(files_in_download(), std::vector<std::string>{"IMG_0001.JPG"});
}

TEST_F(DownloadTest, AFailedTransferLeavesNoTemporaryFileAndTheNextOneWorks) {
  auto& worker = start_watching({{"VANTREL_SIM_FAIL_DOWNLOADS", "1"}});
  camera("shoot 2");
  ASSERT_TRUE(worker.wait_for_prefix("DOWNLOADED|", 10s));
  const auto errors = worker.lines_with_prefix("ERROR|");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("ERROR|Camera download failed: IMG_0001.JPG err=0x", 0), 0u);
  EXPECT_EQ(errors[0].substr(errors[0].size() - 5), "|id=1") << "the failed event is named";
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] Calling EdsDownloadCancel."));
  EXPECT_EQ(files_in_download(), std::vector<std::string>{"IMG_0002.JPG"});
}

TEST_F(DownloadTest, AnItemWithoutANameIsSavedUnderTheCaptureTime) {
  auto& worker = start_watching({{"VANTREL_SIM_EMPTY_NAME", "1"}});
  camera("shoot");
  auto downloaded = worker.wait_for_prefix("DOWNLOADED|", 10s);
  ASSERT_TRUE(downloaded);
  const auto files = files_in_download();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].rfind("capture_", 0), 0u);
  EXPECT_EQ(fs::path(files[0]).extension(), ".jpg");
  EXPECT_EQ(*downloaded, downloadedLine(download_ / files[0], 1));
}

TEST_F(DownloadTest, ControlBytesInACameraNameNeverSplitTheAnnouncement) {
  auto& worker = start_watching({{"VANTREL_SIM_NAME_PREFIX", "IM\nG\r\x01\x7f_"}});
  camera("shoot");
  auto downloaded = worker.wait_for_prefix("DOWNLOADED|", 10s);
  ASSERT_TRUE(downloaded);
  const auto files = files_in_download();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0], "IM_G____0001.JPG");
  EXPECT_EQ(*downloaded, downloadedLine(download_ / files[0], 1));
}

TEST_F(DownloadTest, ASlowDownloadWritesItsStallLineBeforeTheStatus) {
  auto& worker = start_watching({{"VANTREL_SIM_DOWNLOAD_DELAY_MS", "1300"}});
  camera("shoot");
  ASSERT_TRUE(worker.wait_for_prefix("DOWNLOADED|", 10s));
  const int stall =
      static_cast<int>(std::find_if(worker.lines().begin(), worker.lines().end(),
                                    [](const std::string& l) {
                                      return l.rfind("TRANSFER_STALL|download_elapsed=1.", 0) == 0;
                                    }) -
                       worker.lines().begin());
  ASSERT_LT(stall, static_cast<int>(worker.lines().size()));
  EXPECT_NE(worker.lines()[stall].find("|filename=IMG_0001.JPG|count=1"), std::string::npos);
  EXPECT_EQ(worker.lines()[stall + 1], "STATUS|Downloaded: IMG_0001.JPG");
  // The pump that held the download took over a second but under two: logged, no pump stall.
  EXPECT_TRUE(worker.wait_for_prefix("LOG|[CPP_WORKER] CanonPump EXIT", 5s));
  EXPECT_TRUE(worker.lines_with_prefix("TRANSFER_STALL|elapsed=").empty());
}

TEST_F(DownloadTest, RemoteCaptureWithoutAutofocusPressesThenReleases) {
  auto& worker = start_watching();
  worker.send("REMOTE_CAPTURE_NONAF");
  ASSERT_TRUE(worker.wait_for_line("REMOTE_CAPTURED|OK", 5s));
  ASSERT_TRUE(worker.wait_for_prefix("DOWNLOADED|", 10s));
  const auto log = read_lines(sim_log_);
  const auto press = std::find(log.begin(), log.end(),
                               "EdsSendCommand cmd=0x00000004 param=0x00010003 =0x00000000");
  ASSERT_NE(press, log.end());
  EXPECT_NE(
      std::find(press, log.end(), "EdsSendCommand cmd=0x00000004 param=0x00000000 =0x00000000"),
      log.end());
}

TEST_F(DownloadTest, ACameraShutdownIsReportedAndPumpingStops) {
  // Every pump step is one EdsGetEvent in the camera's call log.
  auto& worker = start_watching({{"VANTREL_CPP_PUMP_MODE", "edsgetevent"}});
  const auto pumps = [this] {
    const auto log = read_lines(sim_log_);
    return std::count(log.begin(), log.end(), "EdsGetEvent=0x00000000");
  };
  camera("shutdown");
  ASSERT_TRUE(worker.wait_for_line(
      "DISCONNECTED|Camera shutdown/disconnect detected by native C++ worker.", 10s));
  worker.send("DIAG");
  auto diag = worker.wait_for_prefix("DIAG|", 5s);
  ASSERT_TRUE(diag);
  EXPECT_EQ(diag->rfind("DIAG|connected=0|", 0), 0u) << *diag;
  // Pumping every 12 ms, half a second would add some forty steps.
  const auto after_shutdown = pumps();
  EXPECT_GT(after_shutdown, 0);
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(pumps(), after_shutdown);
}

TEST_F(DownloadTest, PumpLogLinesFollowTheVerboseOptions) {
  struct Case {
    ChildProcess::Env env;
    bool verbose;
  };
  const std::vector<Case> cases = {
      {{{"VANTREL_DIAG", "0"}}, false},
      {{{"VANTREL_DIAG", "maybe"}}, false},
      {{{"VANTREL_DIAG", "0"}, {"VANTREL_VERBOSE_LOGS", "true"}}, true},
      {{{"VANTREL_DIAG", ""}}, true},  // empty counts as unset: on by default
  };
  for (const auto& c : cases) {
    auto& worker = start(fast_camera_env(c.env));
    connect();
    std::this_thread::sleep_for(600ms);  // a few 250 ms pumps
    worker.send("PRIME");
    ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
    EXPECT_EQ(!worker.lines_with_prefix("LOG|[CPP_WORKER] CanonPump ENTER").empty(), c.verbose);
  }
}

TEST_F(DownloadTest, APathWithABarReachesTheApplicationWhole) {
  download_ = dir_ / "class|A";
  fs::create_directories(download_);
  auto& worker = start_watching();
  camera("shoot");
  auto downloaded = worker.wait_for_prefix("DOWNLOADED|", 10s);
  ASSERT_TRUE(downloaded);
  EXPECT_EQ(*downloaded, downloadedLine(download_ / "IMG_0001.JPG", 1));
}

}  // namespace
