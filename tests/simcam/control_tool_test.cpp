// The vantrel_simcam tool and the control-line parsing it shares with the library.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "control_command.h"

namespace fs = std::filesystem;

namespace {

using simcam::ControlCommand;
using simcam::parse_control_command;

TEST(ControlCommandTest, ParsesTheCommandsAndRejectsEverythingElse) {
  using Kind = ControlCommand::Kind;
  EXPECT_EQ(parse_control_command("shoot"), (ControlCommand{Kind::Shoot, 1}));
  EXPECT_EQ(parse_control_command("  shoot\t12 \r"), (ControlCommand{Kind::Shoot, 12}));
  EXPECT_EQ(parse_control_command("shutdown"), (ControlCommand{Kind::Shutdown, 0}));
  EXPECT_EQ(parse_control_command("unplug\r"), (ControlCommand{Kind::Unplug, 0}));
  EXPECT_EQ(parse_control_command("plug"), (ControlCommand{Kind::Plug, 0}));
  for (const char* bad : {"", "Shoot", "shoot 0", "shoot -1", "shoot 2x", "shoot 1001", "shoot 2 3",
                          "plug now", "shoots"}) {
    EXPECT_EQ(parse_control_command(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(simcam::format_control_command({Kind::Shoot, 3}), "shoot 3");
  EXPECT_EQ(simcam::format_control_command({Kind::Shoot, 1}), "shoot");
}

class ControlToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("simcam_tool_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the tool through the shell; returns its exit status and keeps its standard error.
  int run(const std::string& arguments, const std::string& env = "") {
    const std::string command =
        env + " '" SIMCAM_TOOL_PATH "' " + arguments + " 2>'" + (dir_ / "stderr").string() + "'";
    const int status = std::system(command.c_str());
    std::ifstream in(dir_ / "stderr");
    stderr_.assign(std::istreambuf_iterator<char>(in), {});
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string read(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path dir_;
  std::string stderr_;
};

TEST_F(ControlToolTest, AppendsTheCanonicalLineToTheControlFile) {
  const fs::path control = dir_ / "control";
  EXPECT_EQ(run("--control '" + control.string() + "' shoot 03"), 0);
  EXPECT_EQ(run("plug", "VANTREL_SIM_CONTROL='" + control.string() + "'"), 0);
  EXPECT_EQ(read(control), "shoot 3\nplug\n");
}

TEST_F(ControlToolTest, UsageErrorsExitWithTwoAndSendNothing) {
  const fs::path control = dir_ / "control";
  const std::string option = "--control '" + control.string() + "' ";
  for (const std::string& arguments : {option, option + "dance", option + "shoot 0",
                                       option + "shoot 2 3", std::string("--control")}) {
    EXPECT_EQ(run(arguments), 2) << arguments;
    EXPECT_NE(stderr_.find("usage: vantrel_simcam"), std::string::npos) << arguments;
  }
  EXPECT_EQ(run("shoot", "env -u VANTREL_SIM_CONTROL"), 2);
  EXPECT_FALSE(fs::exists(control));
}

TEST_F(ControlToolTest, FifoWithoutAReaderIsAnError) {
  const fs::path fifo = dir_ / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(run("--control '" + fifo.string() + "' shoot"), 1);
  EXPECT_NE(stderr_.find("vantrel_simcam: nobody is reading " + fifo.string()), std::string::npos);
}

}  // namespace
