// How the worker gives the camera library time: the pump modes kept apart, and the keep-alive
// that stops the camera from powering off.
#include <algorithm>
#include <thread>

#include "watching_fixture.h"

namespace {

using PumpingTest = WatchingTest;

long count_of(const std::vector<std::string>& log, const std::string& prefix) {
  return std::count_if(log.begin(), log.end(),
                       [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

TEST_F(PumpingTest, EachPumpModeUsesOnlyItsOwnWayOfFetchingEvents) {
  // A run-loop poll that delivered is noted in the camera's call log; EdsGetEvent is a call.
  struct Case {
    const char* mode;
    bool get_event;
    bool run_loop;
  };
  for (const Case c : {Case{"cf", false, true}, Case{"edsgetevent", true, false}}) {
    SCOPED_TRACE(c.mode);
    sim_log_ = dir_ / (std::string(c.mode) + ".log");
    std::filesystem::remove(control());
    auto& worker = start_watching({{"VANTREL_CPP_PUMP_MODE", c.mode}});
    camera("shoot 2");
    ASSERT_TRUE(worker.wait_for_prefix("DOWNLOADED|" + download_.string() + "/IMG_0002", 10s));
    worker.send("PRIME");  // read once the pump step that delivered is over
    ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
    const auto log = read_lines(sim_log_);
    EXPECT_EQ(count_of(log, "EdsGetEvent") > 0, c.get_event);
    EXPECT_EQ(count_of(log, "run-loop delivered") > 0, c.run_loop);
    worker.send("QUIT");
    EXPECT_EQ(worker.wait_exit(5s), 0);
    std::filesystem::remove_all(download_);
    std::filesystem::create_directories(download_);
  }
}

TEST_F(PumpingTest, TheCameraIsKeptAwakeEveryTwentySecondsFromTheConnect) {
  const std::string keep_alive = "EdsSendCommand cmd=0x00000001 param=0x00000000 =0x00000000";
  auto& worker = start_watching({}, false);
  std::this_thread::sleep_for(18s);
  EXPECT_EQ(count_of(read_lines(sim_log_), keep_alive), 0);
  std::this_thread::sleep_for(4s);
  EXPECT_EQ(count_of(read_lines(sim_log_), keep_alive), 1);
  worker.send("QUIT");
  EXPECT_EQ(worker.wait_exit(5s), 0);
}

}  // namespace
