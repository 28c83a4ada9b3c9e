// The worker's command line, start-up lines, command parsing and exits, seen from outside.
#include <unistd.h>

#include "worker_test_fixture.h"

namespace {

using CommandLoopTest = WorkerTest;

TEST_F(CommandLoopTest, TooFewArgumentsPrintUsageOnlyAndExitTwo) {
  ChildProcess worker(VANTREL_WORKER_PATH, {"/tmp", "/nowhere/libEDSDK.so"});
  EXPECT_EQ(worker.wait_exit(5s), 2);
  worker.drain(1s);
  EXPECT_EQ(worker.lines(),
            std::vector<std::string>{"ERROR|Usage: vantrel_cpp_worker <download_dir> <sdk_path> "
                                     "<save_destination>"});
}

TEST_F(CommandLoopTest, StartUpLinesComeInOrderBeforeReady) {
  ChildProcess worker(
      VANTREL_WORKER_PATH, {"/dl/a", "/sdk/lib.so", "BoTh", "ignored"},
      {{"VANTREL_CPP_PUMP_MODE", "RunLoop"}, {"VANTREL_CPP_REGISTER_STATE_HANDLER", "Yes"}});
  ASSERT_TRUE(worker.wait_for_line("READY|OK", 5s));
  const auto& lines = worker.lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "CPP_WORKER|START");
  EXPECT_EQ(lines[1], "LOG|[CPP_WORKER] v7.27 TERMINATE_ON_FAILED_ENUM_MULTI_STRATEGY");
  EXPECT_EQ(lines[2], "LOG|[CPP_WORKER] pid=" + std::to_string(worker.pid()) +
                          " ppid=" + std::to_string(getpid()));
  EXPECT_EQ(lines[3], "LOG|[CPP_WORKER] download_dir=/dl/a");
  EXPECT_EQ(lines[4], "LOG|[CPP_WORKER] sdk_path=/sdk/lib.so");
  EXPECT_EQ(lines[5], "LOG|[CPP_WORKER] save_destination=both");
  // Raw values for the record, not the normalised ones.
  EXPECT_EQ(lines[6],
            "LOG|[CPP_WORKER] pump_mode=runloop register_state=Yes detect_strategy=matrix");
  // The effective pump mode is normalised.
  worker.send("DIAG");
  auto diag = worker.wait_for_prefix("DIAG|", 5s);
  ASSERT_TRUE(diag);
  EXPECT_NE(diag->find("|pump_mode=cf|"), std::string::npos) << *diag;
}

TEST_F(CommandLoopTest, EndOfInputWhileIdleExitsWithoutAFinalLine) {
  auto& worker = start();
  worker.close_stdin();
  EXPECT_EQ(worker.wait_exit(3s), 0);
  worker.drain(1s);
  EXPECT_EQ(worker.lines().back(), "READY|OK");
}

TEST_F(CommandLoopTest, CommandWordsAreCaseInsensitiveAndEchoedWhole) {
  auto& worker = start();
  worker.send("prime");
  worker.send("Prime|extra|fields");
  worker.send("quit");
  EXPECT_EQ(worker.wait_exit(5s), 0);
  worker.drain(1s);
  const auto& l = worker.lines();
  const int first = worker.index_of("LOG|[CPP_WORKER] COMMAND prime");
  ASSERT_GE(first, 0);
  const std::vector<std::string> expected = {"LOG|[CPP_WORKER] COMMAND prime",
                                             "PRIME_DONE|OK",
                                             "LOG|[CPP_WORKER] COMMAND Prime|extra|fields",
                                             "PRIME_DONE|OK",
                                             "LOG|[CPP_WORKER] COMMAND quit",
                                             "STATUS|Disconnected",
                                             "DISCONNECTED|OK",
                                             "QUIT|Worker exiting"};
  EXPECT_EQ(std::vector<std::string>(l.begin() + first, l.end()), expected);
}

TEST_F(CommandLoopTest, UnknownCommandsCostOneErrorLineAndTheLoopGoesOn) {
  auto& worker = start();
  worker.send("FLY|to the moon");
  worker.send("connectx");
  worker.send("PRIME");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
  EXPECT_TRUE(worker.saw("ERROR|Unknown command: FLY|to the moon"));
  EXPECT_TRUE(worker.saw("ERROR|Unknown command: connectx"));
  EXPECT_EQ(worker.lines_with_prefix("ERROR|").size(), 2u);
}

TEST_F(CommandLoopTest, CarriageReturnStaysPartOfTheCommand) {
  auto& worker = start();
  worker.write("PRIME\r\nPRIME\n");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
  EXPECT_TRUE(worker.saw("ERROR|Unknown command: PRIME\r"));
}

TEST_F(CommandLoopTest, DownloadFolderCommandNeedsANonEmptyArgument) {
  auto& worker = start();
  worker.send("SET_DOWNLOAD_DIR");
  worker.send("SET_DOWNLOAD_DIR|");
  worker.send("set_download_dir|/photos/a b|ignored");
  worker.send("PRIME");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
  EXPECT_EQ(worker.lines_with_prefix("DOWNLOAD_DIR|"),
            std::vector<std::string>{"DOWNLOAD_DIR|/photos/a b"});
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] download_dir updated to: /photos/a b"));
}

TEST_F(CommandLoopTest, QuitStopsABurstBeforeTheLinesQueuedBehindIt) {
  auto& worker = start();
  worker.write("QUIT\nCONNECT|disk\nPRIME\n");
  EXPECT_EQ(worker.wait_exit(5s), 0);
  worker.drain(1s);
  EXPECT_TRUE(worker.saw("QUIT|Worker exiting"));
  EXPECT_EQ(worker.lines().back(), "QUIT|Worker exiting");
  EXPECT_FALSE(worker.saw("LOG|[CPP_WORKER] COMMAND CONNECT|disk"));
  EXPECT_FALSE(worker.saw("PRIME_DONE|OK"));
  EXPECT_TRUE(read_lines(sim_log_).empty()) << "the camera library was touched";
}

TEST_F(CommandLoopTest, ResetAnswersLikeQuitWithItsOwnLastLine) {
  auto& worker = start();
  worker.send("reset");
  EXPECT_EQ(worker.wait_exit(5s), 0);
  worker.drain(1s);
  const auto& l = worker.lines();
  ASSERT_GE(l.size(), 3u);
  EXPECT_EQ(
      std::vector<std::string>(l.end() - 3, l.end()),
      (std::vector<std::string>{"STATUS|Disconnected", "DISCONNECTED|OK", "RESET|Worker exiting"}));
}

TEST_F(CommandLoopTest, DisconnectWithoutACameraStillAnswers) {
  auto& worker = start();
  worker.send("DISCONNECT");
  worker.send("PRIME");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
  const int at = worker.index_of("LOG|[CPP_WORKER] COMMAND DISCONNECT");
  ASSERT_GE(at, 0);
  EXPECT_EQ(worker.lines()[at + 1], "STATUS|Disconnected");
  EXPECT_EQ(worker.lines()[at + 2], "DISCONNECTED|OK");
  EXPECT_EQ(worker.lines()[at + 3], "LOG|[CPP_WORKER] COMMAND PRIME");
}

TEST_F(CommandLoopTest, PumpCommandsAnswerEvenWithoutACamera) {
  auto& worker = start();
  worker.send("PUMP_ACTIVE");
  worker.send("pump_pause");
  worker.send("DIAG");
  ASSERT_TRUE(worker.wait_for_prefix("DIAG|", 5s));
  EXPECT_TRUE(worker.saw("PUMP_ACTIVE_READY|OK"));
  EXPECT_TRUE(
      worker.saw("LOG|[CPP_WORKER] pump_enabled=1 capture_enabled=0 mode=cf interval_ms=12"));
  EXPECT_TRUE(worker.saw("PUMP_IDLE_READY|OK"));
  auto diag = worker.lines_with_prefix("DIAG|");
  ASSERT_EQ(diag.size(), 1u);
  EXPECT_EQ(diag[0].rfind("DIAG|connected=0|pump_enabled=0|capture_enabled=0|pump_mode=cf|"
                          "downloads=0|cmd_qsize=0|last_download_age=",
                          0),
            0u)
      << diag[0];
}

TEST_F(CommandLoopTest, CameraCommandsWithoutACameraFailCleanly) {
  auto& worker = start();
  worker.send("SET_SAVE_DEST|card");
  worker.send("CAPTURE");
  worker.send("PRIME");
  ASSERT_TRUE(worker.wait_for_line("PRIME_DONE|OK", 5s));
  EXPECT_EQ(worker.lines_with_prefix("ERROR|"),
            (std::vector<std::string>{
                "ERROR|Cannot set save destination because camera is not connected.",
                "ERROR|Camera is not connected."}));
}

TEST_F(CommandLoopTest, AClosedOutputPipeDoesNotKillTheWorker) {
  // The application may die at any moment; the worker must finish what it does and exit 0.
  ChildProcess worker(VANTREL_WORKER_PATH, {download_.string(), "/nowhere.so", "disk"});
  ASSERT_TRUE(worker.wait_for_line("READY|OK", 5s));
  worker.close_stdout_for_test();
  worker.send("PRIME");
  worker.send("DIAG");
  worker.send("QUIT");
  EXPECT_EQ(worker.wait_exit(5s), 0);
}

}  // namespace
