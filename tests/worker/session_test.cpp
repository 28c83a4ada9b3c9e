// Connecting, the save target and the card check, against the simulated camera.
#include <algorithm>

#include "worker_test_fixture.h"

namespace {

using SessionTest = WorkerTest;

bool log_has(const std::vector<std::string>& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST_F(SessionTest, ASuccessfulConnectEndsWithModeStatusAndConnected) {
  auto& worker = start(fast_camera_env(), "card");
  connect("connect|Computer");
  const auto l = worker.lines_without_prefix("LOG|");
  ASSERT_GE(l.size(), 3u);
  EXPECT_EQ(
      std::vector<std::string>(l.end() - 3, l.end()),
      (std::vector<std::string>{"SAVE_DEST|disk", "STATUS|Connected (disk)", "CONNECTED|OK"}));
  const std::vector<std::string> statuses = worker.lines_with_prefix("STATUS|");
  const std::vector<std::string> expected = {
      "STATUS|Loading Canon SDK...",        "STATUS|Waiting for camera USB connection...",
      "STATUS|Connecting to camera......",  "STATUS|Opening camera session...",
      "STATUS|Setting save destination...", "STATUS|Connected (disk)"};
  EXPECT_EQ(statuses, expected);  // disk mode needs no card check
  EXPECT_TRUE(
      log_has(read_lines(sim_log_), "EdsSetPropertyData prop=0x0000000B value=2 =0x00000000"));
}

TEST_F(SessionTest, ConnectWithoutAModeUsesTheStartUpModeAndChecksTheCard) {
  auto& worker = start(fast_camera_env(), "Camera");
  connect("CONNECT|");
  EXPECT_TRUE(worker.saw("STATUS|Checking camera memory card..."));
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] card_check EdsGetChildCount(camera)=0x00000000 "
                 "volume_count=1"));
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] card_check card_present=1"));
  EXPECT_TRUE(worker.saw("SAVE_DEST|card"));
  EXPECT_TRUE(worker.saw("STATUS|Connected (card)"));
  // Card mode announces no host capacity.
  EXPECT_TRUE(worker.lines_with_prefix("LOG|[CPP_WORKER] EdsSetCapacity").empty());
}

TEST_F(SessionTest, AMissingCardIsWarnedOnceAndTheConnectGoesOn) {
  auto& worker = start(fast_camera_env({{"VANTREL_SIM_NO_CARD", "1"}}));
  connect("CONNECT|both");
  EXPECT_EQ(worker.lines_with_prefix("WARN|CARD_MISSING|"),
            std::vector<std::string>{"WARN|CARD_MISSING|Camera card is not detected. Insert a "
                                     "memory card when using Card or Both mode."});
  // A new connect may warn again.
  connect("CONNECT|card");
  EXPECT_EQ(worker.lines_with_prefix("WARN|CARD_MISSING|").size(), 2u);
}

TEST_F(SessionTest, SaveTargetCommandReadsComputerAsBothAndAnnouncesCapacityTwice) {
  auto& worker = start(fast_camera_env());
  connect("CONNECT|card");
  const int from = static_cast<int>(worker.lines().size());
  worker.send("SET_SAVE_DEST|computer");
  ASSERT_TRUE(worker.wait_for_prefix("SAVE_DEST|", 5s));
  EXPECT_EQ(lines_after(from, "SAVE_DEST|"), std::vector<std::string>{"SAVE_DEST|both"});
  EXPECT_EQ(lines_after(from, "LOG|[CPP_WORKER] EdsSetCapacity"),
            (std::vector<std::string>{
                "LOG|[CPP_WORKER] EdsSetCapacity(host capacity for both)=0x00000000",
                "LOG|[CPP_WORKER] EdsSetCapacity(host capacity for both)=0x00000000"}));
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] EdsSetPropertyData(SaveTo=both)=0x00000000"));
  const auto log = read_lines(sim_log_);
  EXPECT_TRUE(log_has(log, "EdsSetCapacity clusters=2147483647 bytes=4096 reset=1 =0x00000000"));
  EXPECT_TRUE(log_has(log, "EdsSetPropertyData prop=0x0000000B value=3 =0x00000000"));
}

TEST_F(SessionTest, ABusyCameraIsRetriedWithTheLongerWaits) {
  auto& worker = start(fast_camera_env({{"VANTREL_SIM_BUSY_OPENS", "2"}}));
  const auto started = std::chrono::steady_clock::now();
  connect();
  EXPECT_GE(std::chrono::steady_clock::now() - started, 3000ms);  // 2 x (0.7 s + 0.9 s)
  EXPECT_EQ(worker.lines_with_prefix("LOG|[CPP_WORKER] EdsOpenSession attempt"),
            (std::vector<std::string>{"LOG|[CPP_WORKER] EdsOpenSession attempt 1=0x000000C0",
                                      "LOG|[CPP_WORKER] EdsOpenSession attempt 2=0x000000C0",
                                      "LOG|[CPP_WORKER] EdsOpenSession attempt 3=0x00000000"}));
}

TEST_F(SessionTest, ACameraBusyTenTimesGivesTheBusyError) {
  auto& worker = start(fast_camera_env({{"VANTREL_SIM_BUSY_OPENS", "10"}}));
  worker.send("CONNECT");
  auto error = worker.wait_for_prefix("ERROR|", 40s);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error,
            "ERROR|Camera busy (EdsOpenSession 0x000000C0). Close EOS Utility, Photos, or Image "
            "Capture if open — or unplug and replug the camera.");
  EXPECT_FALSE(worker.saw("CONNECTED|OK"));
  // The camera and handlers stay until the next reset, which cleans them up.
  worker.send("QUIT");
  EXPECT_EQ(worker.wait_exit(5s), 0);
  worker.drain(1s);
  EXPECT_TRUE(worker.lines_with_prefix("SIMCAM_CHECK|").empty());
}

TEST_F(SessionTest, ASecondConnectStartsAfreshWithoutLeakingTheFirstCamera) {
  auto& worker = start(fast_camera_env());
  connect();
  connect("CONNECT|both");
  worker.send("QUIT");
  EXPECT_EQ(worker.wait_exit(5s), 0);
  worker.drain(1s);
  EXPECT_TRUE(worker.lines_with_prefix("SIMCAM_CHECK|").empty());
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] EdsTerminateSDK=0x00000000 reason=safe_no_open_session"));
}

TEST_F(SessionTest, DiagnosticsAfterAConnectShowAFreshDownloadClock) {
  auto& worker = start(fast_camera_env({{"VANTREL_CPP_PUMP_MODE", "edsgetevent"}}));
  connect();
  worker.send("DIAG");
  auto diag = worker.wait_for_prefix("DIAG|", 5s);
  ASSERT_TRUE(diag);
  EXPECT_EQ(diag->rfind("DIAG|connected=1|pump_enabled=1|capture_enabled=0|pump_mode=edsgetevent|"
                        "downloads=0|cmd_qsize=0|last_download_age=0.",
                        0),
            0u)
      << *diag;
}

}  // namespace
