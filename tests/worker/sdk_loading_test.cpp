// Loading the camera library, initialising it, the start-up watchdog and the resets.
#include "worker_test_fixture.h"

namespace {

using SdkLoadingTest = WorkerTest;

TEST_F(SdkLoadingTest, ALibraryThatCannotBeOpenedEndsTheConnectWithOneError) {
  auto& worker = start({}, "disk", (dir_ / "missing.so").string());
  worker.send("CONNECT");
  auto error = worker.wait_for_prefix("ERROR|", 10s);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->rfind("ERROR|dlopen failed: " + (dir_ / "missing.so").string(), 0), 0u)
      << *error;
  worker.send("PRIME");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
  EXPECT_EQ(worker.lines_with_prefix("ERROR|").size(), 1u);
  EXPECT_FALSE(worker.saw("CONNECTED|OK"));
}

TEST_F(SdkLoadingTest, AMissingRequiredEntryPointStopsItsGroup) {
  auto& worker = start({}, "disk", VANTREL_SDK_WITHOUT_GET_EVENT);
  worker.send("CONNECT");
  worker.send("CONNECT");
  worker.send("PRIME");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 10s));
  // Group A stops at the gap, so nothing after it is looked up; groups B and C are skipped, the
  // two optional entry points outside the groups are still tried.
  EXPECT_EQ(worker.lines_with_prefix("ERROR|"),
            (std::vector<std::string>{"ERROR|Missing EDSDK symbol: EdsGetEvent",
                                      "ERROR|Missing EDSDK symbol: EdsGetEvent"}));
  EXPECT_FALSE(worker.saw("LOG|[CPP_WORKER] SDK_CHECKPOINT 3b symbols loaded"));
  // The second connect reuses the open handle and never calls into a half-bound library.
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] SDK_CHECKPOINT already-loaded lib handle exists"));
  EXPECT_FALSE(worker.saw("LOG|[CPP_WORKER] SDK_CHECKPOINT 4 before EdsInitializeSDK"));
  EXPECT_TRUE(read_lines(sim_log_).empty());
}

TEST_F(SdkLoadingTest, MissingOptionalEntryPointsAreLoggedAndTheConnectGoesOn) {
  auto& worker = start(fast_camera_env(), "disk", VANTREL_SDK_WITHOUT_OPTIONALS);
  connect();
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] Optional EDSDK symbol unavailable: "
                 "EdsSetCameraAddedHandler"));
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] Optional EDSDK symbol unavailable: "
                 "EdsSetCameraStateEventHandler"));
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] CameraAdded handler disabled for detect_strategy=v21"));
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] SDK_CHECKPOINT 3b symbols loaded"));
}

TEST_F(SdkLoadingTest, InitialiseFailureIsReportedWithItsCode) {
  auto& worker = start({{"VANTREL_SIM_INIT_ERROR", "0x61"}});
  worker.send("CONNECT");
  auto error = worker.wait_for_prefix("ERROR|", 10s);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "ERROR|EdsInitializeSDK failed: 0x00000061");
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] SDK_CHECKPOINT 5 after EdsInitializeSDK err=0x00000061"));
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] EdsInitializeSDK=0x00000061"));
  EXPECT_FALSE(worker.saw("STATUS|Waiting for camera USB connection..."));
}

TEST_F(SdkLoadingTest, WatchdogTimeoutIsAtLeastFiveSecondsOrFour) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"0", "4"}, {"3", "4"}, {"abc", "4"}, {"4", "4"}, {"5", "5"}, {"30", "30"}, {nullptr, "12"}};
  for (const auto& [value, seconds] : cases) {
    ChildProcess::Env env;
    if (value != nullptr) env["VANTREL_CPP_SDK_STARTUP_TIMEOUT"] = value;
    auto& worker = start(env, "disk", (dir_ / "missing.so").string());
    worker.send("CONNECT");
    EXPECT_TRUE(worker.wait_for_line(
        "LOG|[CPP_WORKER] SDK watchdog armed label=connect timeout=" + seconds + "s", 5s))
        << "value " << (value ? value : "unset");
    worker.send("QUIT");
    EXPECT_EQ(worker.wait_exit(5s), 0);
  }
}

TEST_F(SdkLoadingTest, AHangingInitialiseEndsTheProcessWithStatus92) {
  auto& worker =
      start({{"VANTREL_CPP_SDK_STARTUP_TIMEOUT", "1"}, {"VANTREL_SIM_INIT_DELAY_MS", "20000"}});
  const auto sent = std::chrono::steady_clock::now();
  worker.send("CONNECT|card");
  EXPECT_EQ(worker.wait_exit(15s), 92);
  // "1" is below 5, so the watchdog waits 4 s: not the 1 s asked for, nor the default 12 s.
  const auto waited = std::chrono::steady_clock::now() - sent;
  EXPECT_GE(waited, 4s);
  EXPECT_LT(waited, 11s);
  worker.drain(1s);
  const auto& l = worker.lines();
  ASSERT_GE(l.size(), 2u);
  EXPECT_EQ(l[l.size() - 2],
            "ERROR|Canon SDK startup timed out while connect. Worker will exit so the app can "
            "restart cleanly.");
  EXPECT_EQ(l.back(), "LOG|[CPP_WORKER] FATAL SDK startup watchdog timeout label=connect");
}

TEST_F(SdkLoadingTest, ADisarmedWatchdogNeverFires) {
  auto& worker = start(fast_camera_env({{"VANTREL_CPP_SDK_STARTUP_TIMEOUT", "5"}}));
  connect();
  std::this_thread::sleep_for(5500ms);
  worker.send("PRIME");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
  EXPECT_FALSE(worker.wait_exit(0ms));
  EXPECT_TRUE(worker.lines_with_prefix("ERROR|").empty());
}

TEST_F(SdkLoadingTest, FailedDiscoveryTerminatesTheSdkSoTheNextConnectInitialisesAgain) {
  auto& worker = start(fast_camera_env({{"VANTREL_SIM_CAMERAS", "0"}}));
  worker.send("CONNECT");
  auto error = worker.wait_for_prefix("ERROR|", 30s);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error,
            "ERROR|Camera not detected by native C++ EDSDK worker. LastErr=0x00000080 "
            "camera_added_seen=0 detect_strategy=v21");
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] Failed-enumeration EdsTerminateSDK=0x00000000"));
  const int second = static_cast<int>(worker.lines().size());
  worker.send("CONNECT");
  ASSERT_TRUE(worker.wait_for_prefix("ERROR|Camera not detected", 30s));
  const auto after = lines_after(second, "LOG|[CPP_WORKER] SDK_CHECKPOINT");
  ASSERT_GE(after.size(), 2u);
  EXPECT_EQ(after[0], "LOG|[CPP_WORKER] SDK_CHECKPOINT already-loaded lib handle exists");
  EXPECT_EQ(after[1], "LOG|[CPP_WORKER] SDK_CHECKPOINT 4 before EdsInitializeSDK");
}

TEST_F(SdkLoadingTest, FailedEnumerationResetCanBeSwitchedOff) {
  auto& worker = start(fast_camera_env(
      {{"VANTREL_SIM_CAMERAS", "0"}, {"VANTREL_CPP_TERMINATE_ON_FAILED_ENUM_MAC", "0"}}));
  worker.send("CONNECT");
  ASSERT_TRUE(worker.wait_for_prefix("ERROR|Camera not detected", 30s));
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] Failed-enumeration SDK reset skipped by "
                 "VANTREL_CPP_TERMINATE_ON_FAILED_ENUM_MAC=0."));
  // The SDK stays initialised, so a quit terminates it: no camera, no session.
  worker.send("QUIT");
  EXPECT_EQ(worker.wait_exit(5s), 0);
  worker.drain(1s);
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] EdsTerminateSDK=0x00000000 reason=safe_no_open_session"));
}

TEST_F(SdkLoadingTest, DisconnectClosesTheSessionReleasesTheCameraThenTerminates) {
  auto& worker = start(fast_camera_env());
  connect();
  const int from = static_cast<int>(worker.lines().size());
  worker.send("DISCONNECT");
  ASSERT_TRUE(worker.wait_for_line("DISCONNECTED|OK", 5s));
  const auto& l = worker.lines();
  const std::vector<std::string> expected = {
      "LOG|[CPP_WORKER] COMMAND DISCONNECT", "LOG|[CPP_WORKER] EdsCloseSession=0x00000000",
      "LOG|[CPP_WORKER] EdsTerminateSDK=0x00000000 reason=safe_no_open_session",
      "STATUS|Disconnected", "DISCONNECTED|OK"};
  EXPECT_EQ(std::vector<std::string>(l.begin() + from, l.end()), expected);
  // The destructor's second reset after QUIT finds nothing left to do.
  worker.send("QUIT");
  EXPECT_EQ(worker.wait_exit(5s), 0);
  worker.drain(1s);
  EXPECT_EQ(worker.lines().back(), "QUIT|Worker exiting");
  EXPECT_TRUE(worker.lines_with_prefix("SIMCAM_CHECK|").empty()) << "leaked or late SDK calls";
}

// A connected camera is always released before the terminate decision, so the option cannot
// show here; full_reset_termination's own test shows it honoured.
TEST_F(SdkLoadingTest, TerminateOnDisconnectByEnvironmentReportsTheSafeReasonFirst) {
  auto& worker = start(fast_camera_env({{"VANTREL_CPP_TERMINATE_SDK_ON_MAC", "on"}}));
  connect();
  worker.send("DISCONNECT");
  ASSERT_TRUE(worker.wait_for_line("DISCONNECTED|OK", 5s));
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] EdsTerminateSDK=0x00000000 reason=safe_no_open_session"));
}

TEST_F(SdkLoadingTest, HandshakeReloadsTheLibraryBetweenPasses) {
  // The camera shows up only after nine listings of a freshly initialised SDK: the first pass
  // (eight attempts) fails, the first reload cycle finds it.
  auto& worker = start({{"VANTREL_CPP_DETECT_STRATEGY", "ping"},
                        {"VANTREL_SIM_APPEAR_AFTER", "9"},
                        {"VANTREL_DIAG", "0"}});
  connect();
  const std::string label = "handshake-02-cold-reinit-cf";
  const std::vector<std::string> expected_in_order = {
      "LOG|[CPP_WORKER] Native detect strategy=handshake",
      "HANDSHAKE_PING|phase=start|note=No EdsSendCommand is possible until EdsGetCameraList "
      "returns a camera object.",
      "LOG|[CPP_WORKER] Camera discovery handshake-01-existing-sdk-cf attempt 8/8 err=0x00000080 "
      "count=0 camera_added_seen=0",
      "HANDSHAKE_PING|reason=cycle-1:" + label +
          "|action=edsdk_terminate_dlclose_reopen_cycle_start",
      "LOG|[CPP_WORKER] handshake EdsTerminateSDK=0x00000000",
      "LOG|[CPP_WORKER] handshake dlclose rc=0",
      "LOG|[CPP_WORKER] handshake ensure_sdk_ready label=" + label + " use_camera_added_handler=1",
      "STATUS|Loading Canon SDK...",
      "LOG|[CPP_WORKER] SDK watchdog armed label=handshake:" + label + " timeout=12s",
      "LOG|[CPP_WORKER] Loading EDSDK from: " + std::string(VANTREL_SIMCAM_PATH),
      "LOG|[CPP_WORKER] SDK_CHECKPOINT 3b symbols loaded",
      "LOG|[CPP_WORKER] EdsInitializeSDK=0x00000000",
      "LOG|[CPP_WORKER] handshake EdsSetCameraAddedHandler=0x00000000",
      "LOG|[CPP_WORKER] Camera discovery pass=" + label +
          " attempts=14 delay_ms=350 pump_ms=140 pump_mode=cf",
      "STATUS|Opening camera session...",
      "CONNECTED|OK"};
  const auto& l = worker.lines();
  size_t at = 0;
  for (const auto& want : expected_in_order) {
    while (at < l.size() && l[at] != want) ++at;
    ASSERT_LT(at, l.size()) << "missing or out of order: " << want;
  }
  auto success = worker.lines_with_prefix("HANDSHAKE_PING|phase=success|label=" + label);
  EXPECT_EQ(success.size(), 1u);
  EXPECT_TRUE(worker.lines_with_prefix("HANDSHAKE_PING|phase=failed").empty());
}

}  // namespace
