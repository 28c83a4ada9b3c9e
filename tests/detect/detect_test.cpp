// The detection probe, run as a program: its lines and exit statuses.
#include <gtest/gtest.h>

#include "child_process.h"

using namespace std::chrono_literals;

namespace {

struct ProbeRun {
  int status;
  std::vector<std::string> lines;
};

ProbeRun run_probe(const std::vector<std::string>& args, const ChildProcess::Env& env = {}) {
  ChildProcess probe(VANTREL_DETECT_PATH, args, env);
  probe.drain(20s);
  const auto status = probe.wait_exit(5s);
  return {status.value_or(-1), probe.lines()};
}

TEST(DetectProbe, WithoutArgumentsPrintsUsage) {
  const auto run = run_probe({});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.lines, std::vector<std::string>{
                           "ERROR|Usage: vantrel_camera_detect <sdk_path> [attempts] [delay_ms]"});
}

TEST(DetectProbe, ReportsTheNumberOfCamerasListed) {
  const auto run = run_probe({VANTREL_SIMCAM_PATH}, {{"VANTREL_SIM_CAMERAS", "2"}});
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> expected = {
      "CPP_DETECT|START v7.27",
      std::string("LOG|sdk_path=") + VANTREL_SIMCAM_PATH,
      "LOG|attempts=12",
      "LOG|delay_ms=250",
      "LOG|EdsInitializeSDK=0x00000000",
      "LOG|Camera discovery attempt 1/12 err=0x00000000 count=2",
      "LOG|EdsGetChildAtIndex=0x00000000",
      "DETECTED|2"};
  EXPECT_EQ(run.lines, expected);
}

TEST(DetectProbe, OddArgumentsAreClampedAndAnAbsentCameraEndsWithTen) {
  const auto run = run_probe({VANTREL_SIMCAM_PATH, "-5", "10"}, {{"VANTREL_SIM_CAMERAS", "0"}});
  EXPECT_EQ(run.status, 10);
  const std::vector<std::string> expected = {
      "CPP_DETECT|START v7.27",
      std::string("LOG|sdk_path=") + VANTREL_SIMCAM_PATH,
      "LOG|attempts=1",
      "LOG|delay_ms=50",
      "LOG|EdsInitializeSDK=0x00000000",
      "LOG|Camera discovery attempt 1/1 err=0x00000000 count=0",
      "NOT_DETECTED|0",
      "ERROR|Canon EDSDK camera count is 0"};
  EXPECT_EQ(run.lines, expected);
}

TEST(DetectProbe, ACameraThatAppearsLateIsFoundOnALaterAttempt) {
  const auto run =
      run_probe({VANTREL_SIMCAM_PATH, "5", "abc"}, {{"VANTREL_SIM_APPEAR_AFTER", "2"}});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.lines[3], "LOG|delay_ms=50");
  EXPECT_EQ(run.lines.back(), "DETECTED|1");
  EXPECT_EQ(run.lines[run.lines.size() - 3],
            "LOG|Camera discovery attempt 3/5 err=0x00000000 count=1");
}

TEST(DetectProbe, LoadingFailuresHaveTheirOwnStatuses) {
  auto run = run_probe({"/nonexistent/libEDSDK.so", "1"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.lines.back().rfind("ERROR|dlopen failed: /nonexistent/libEDSDK.so", 0), 0u);

  run = run_probe({VANTREL_SDK_WITHOUT_RELEASE, "1"});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.lines.back(), "ERROR|Missing EDSDK symbol: EdsRelease");

  run = run_probe({VANTREL_SIMCAM_PATH, "1"}, {{"VANTREL_SIM_INIT_ERROR", "7"}});
  EXPECT_EQ(run.status, 5);
  EXPECT_EQ(run.lines.back(), "ERROR|EdsInitializeSDK failed: 0x00000007");
}

}  // namespace
