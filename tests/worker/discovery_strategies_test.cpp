// The discovery strategies: which passes run, with which pumping, in which order, seen in the
// worker's lines and in the simulated camera's call log.
#include <algorithm>

#include "worker_test_fixture.h"

namespace {

using DiscoveryTest = WorkerTest;
using Log = std::vector<std::string>;

bool starts_with(const std::string& line, const std::string& prefix) {
  return line.rfind(prefix, 0) == 0;
}

// Index in `log` of the n-th (from 1) camera listing; log.size() when there are fewer.
size_t listing(const Log& log, int n) {
  int seen = 0;
  for (size_t i = 0; i < log.size(); ++i) {
    if (starts_with(log[i], "EdsGetCameraList") && ++seen == n) return i;
  }
  return log.size();
}

// EdsGetEvent calls (pump steps of the edsgetevent mode) in [from, to).
long events_between(const Log& log, size_t from, size_t to) {
  return std::count_if(log.begin() + static_cast<long>(std::min(from, log.size())),
                       log.begin() + static_cast<long>(std::min(to, log.size())),
                       [](const std::string& l) { return starts_with(l, "EdsGetEvent"); });
}

// Each of `wanted` appears in `lines`, in this order.
void expect_in_order(const Log& lines, const Log& wanted) {
  size_t at = 0;
  for (const auto& want : wanted) {
    while (at < lines.size() && lines[at] != want) ++at;
    ASSERT_LT(at, lines.size()) << "missing or out of order: " << want;
  }
}

TEST_F(DiscoveryTest, EachSinglePassStrategyPollsAndPumpsItsOwnWay) {
  // The worker pumps with EdsGetEvent unless a pass names its own mode, so every pump step
  // outside a cf pass shows in the camera's call log. The camera answers the third listing; its
  // camera-added event, raised at the second, is seen only by a pass that pumps.
  struct Case {
    const char* strategy;  // nullptr: the variable unset
    std::string first_line;
    std::string label;
    int attempts;
    std::string timing;  // the pass line after its attempts
    bool pumps_before_listing;
    bool pumps_in_pass;
    std::chrono::milliseconds at_least;
  };
  const std::vector<Case> cases = {
      {nullptr, "", "v21", 30, "delay_ms=250 pump_ms=120 pump_mode=cf", false, true, 700ms},
      {"list_only", "", "list-only", 80, "delay_ms=500 pump_ms=0 pump_mode=edsgetevent", false,
       false, 1000ms},
      {"delayed", "LOG|[CPP_WORKER] Delayed native C++ discovery: wait before first camera list.",
       "delayed-list", 80, "delay_ms=500 pump_ms=0 pump_mode=edsgetevent", false, false, 3500ms},
      {"warm", "LOG|[CPP_WORKER] Warm native C++ discovery: CFRunLoop pre-pump before list.",
       "warm-cf", 80, "delay_ms=250 pump_ms=160 pump_mode=cf", true, true, 3300ms},
      {"cf_long", "LOG|[CPP_WORKER] Long CFRunLoop native C++ discovery pass.", "cf-long", 100,
       "delay_ms=250 pump_ms=250 pump_mode=cf", true, true, 6000ms},
  };
  for (const Case& c : cases) {
    const std::string strategy = c.strategy ? c.strategy : "v21";
    SCOPED_TRACE(strategy);
    sim_log_ = dir_ / (strategy + ".log");
    ChildProcess::Env env = {{"VANTREL_CPP_PUMP_MODE", "edsgetevent"},
                             {"VANTREL_SIM_APPEAR_AFTER", "2"},
                             {"VANTREL_DIAG", "0"}};
    if (c.strategy) env["VANTREL_CPP_DETECT_STRATEGY"] = c.strategy;
    auto& worker = start(env);
    const auto sent = std::chrono::steady_clock::now();
    connect();
    EXPECT_GE(std::chrono::steady_clock::now() - sent, c.at_least);

    const std::string attempts = std::to_string(c.attempts);
    Log wanted = {"LOG|[CPP_WORKER] Native detect strategy=" + strategy};
    if (!c.first_line.empty()) wanted.push_back(c.first_line);
    wanted.push_back("LOG|[CPP_WORKER] Camera discovery pass=" + c.label + " attempts=" + attempts +
                     " " + c.timing);
    for (const char* i : {"1", "2"}) {
      wanted.push_back("LOG|[CPP_WORKER] Camera discovery " + c.label + " attempt " + i + "/" +
                       attempts + " err=0x00000080 count=0 camera_added_seen=0");
    }
    wanted.push_back("LOG|[CPP_WORKER] Camera discovery " + c.label + " attempt 3/" + attempts +
                     " err=0x00000000 count=1 camera_added_seen=" + (c.pumps_in_pass ? "1" : "0"));
    wanted.push_back("CONNECTED|OK");
    expect_in_order(worker.lines(), wanted);
    EXPECT_EQ(worker.lines_with_prefix("LOG|[CPP_WORKER] Camera discovery pass=").size(), 1u);
    EXPECT_EQ(
        worker.saw("LOG|[CPP_WORKER] CameraAdded handler disabled for detect_strategy=" + strategy),
        strategy == "list_only");

    const Log log = read_lines(sim_log_);
    ASSERT_LT(listing(log, 3), log.size());
    EXPECT_EQ(events_between(log, 0, listing(log, 1)) > 0, c.pumps_before_listing);
    // The pass itself pumps in its own mode (cf runs the run loop) or not at all.
    EXPECT_EQ(events_between(log, listing(log, 1), listing(log, 3)), 0);
    worker.send("QUIT");
    EXPECT_EQ(worker.wait_exit(5s), 0);
  }
}

TEST_F(DiscoveryTest, TheMatrixRunsItsPassesInOrderUntilOneFindsTheCamera) {
  // Fifty empty listings: passes 1 (20 attempts) and 2 (30) fail, pass 3 finds the camera.
  auto& worker = start({{"VANTREL_CPP_DETECT_STRATEGY", "matrix"},
                        {"VANTREL_CPP_PUMP_MODE", "edsgetevent"},
                        {"VANTREL_SIM_APPEAR_AFTER", "50"},
                        {"VANTREL_DIAG", "0"}});
  connect();
  expect_in_order(
      worker.lines(),
      {"LOG|[CPP_WORKER] Detect matrix started. Every pass is native C++; Python is not used for "
       "EDSDK.",
       "LOG|[CPP_WORKER] Camera discovery pass=matrix-01-v21-cf-fast attempts=20 delay_ms=250 "
       "pump_ms=120 pump_mode=cf",
       "LOG|[CPP_WORKER] Camera discovery matrix-01-v21-cf-fast attempt 20/20 err=0x00000080 "
       "count=0 camera_added_seen=0",
       "LOG|[CPP_WORKER] Detect matrix pass 02: delayed list-only polling.",
       "LOG|[CPP_WORKER] Camera discovery pass=matrix-02-delayed-list-only attempts=30 "
       "delay_ms=500 pump_ms=0 pump_mode=edsgetevent",
       "LOG|[CPP_WORKER] Camera discovery matrix-02-delayed-list-only attempt 30/30 "
       "err=0x00000080 count=0 camera_added_seen=0",
       "LOG|[CPP_WORKER] Detect matrix pass 03: long CFRunLoop warmup then list polling.",
       "LOG|[CPP_WORKER] Camera discovery pass=matrix-03-long-cf-warm attempts=40 delay_ms=250 "
       "pump_ms=220 pump_mode=cf",
       "LOG|[CPP_WORKER] Camera discovery matrix-03-long-cf-warm attempt 1/40 err=0x00000000 "
       "count=1 camera_added_seen=1",
       "CONNECTED|OK"});
  EXPECT_FALSE(worker.saw("LOG|[CPP_WORKER] Detect matrix pass 04: EdsGetEvent-assisted polling."));
  // Passes 1 and 2 never call EdsGetEvent (cf, then no pump); the warm-up before pass 3 pumps in
  // the worker's own mode.
  const Log log = read_lines(sim_log_);
  ASSERT_LT(listing(log, 51), log.size());
  EXPECT_EQ(events_between(log, 0, listing(log, 50)), 0);
  EXPECT_GT(events_between(log, listing(log, 50), listing(log, 51)), 10);
}

TEST_F(DiscoveryTest, AnExhaustedHandshakeReportsEveryFailedCycleAndTheLastCode) {
  auto& worker = start({{"VANTREL_CPP_DETECT_STRATEGY", "handshake"},
                        {"VANTREL_SIM_CAMERAS", "0"},
                        {"VANTREL_DIAG", "0"}});
  worker.send("CONNECT");
  auto error = worker.wait_for_prefix("ERROR|", 100s);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error,
            "ERROR|Camera not detected by native C++ EDSDK worker. LastErr=0x00000080 "
            "camera_added_seen=0 detect_strategy=handshake");
  const Log cycles = {"handshake-02-cold-reinit-cf", "handshake-03-cold-reinit-list-only-no-added",
                      "handshake-04-cold-reinit-edsgetevent", "handshake-05-cold-reinit-both",
                      "handshake-06-final-long-cf"};
  Log wanted = {
      "HANDSHAKE_PING|phase=start|note=No EdsSendCommand is possible until "
      "EdsGetCameraList returns a camera object.",
      "LOG|[CPP_WORKER] Camera discovery handshake-01-existing-sdk-cf attempt 8/8 "
      "err=0x00000080 count=0 camera_added_seen=0"};
  Log failed;
  for (size_t i = 0; i < cycles.size(); ++i) {
    const std::string& label = cycles[i];
    wanted.push_back("HANDSHAKE_PING|reason=cycle-" + std::to_string(i + 1) + ":" + label +
                     "|action=edsdk_terminate_dlclose_reopen_cycle_start");
    wanted.push_back("LOG|[CPP_WORKER] handshake ensure_sdk_ready label=" + label +
                     " use_camera_added_handler=" + (i == 1 ? "0" : "1"));
    failed.push_back("HANDSHAKE_PING|phase=failed|label=" + label +
                     "|last=0x00000080|camera_added_seen=0");
    wanted.push_back(failed.back());
  }
  wanted.push_back("HANDSHAKE_PING|phase=exhausted|last=0x00000080|usb_seen_check_follows=1");
  wanted.push_back(*error);
  expect_in_order(worker.lines(), wanted);
  EXPECT_EQ(worker.lines_with_prefix("HANDSHAKE_PING|phase=failed"), failed);
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] handshake CameraAdded handler disabled for "
                 "label=handshake-03-cold-reinit-list-only-no-added"));
  EXPECT_TRUE(worker.lines_with_prefix("HANDSHAKE_PING|phase=success").empty());
}

}  // namespace
