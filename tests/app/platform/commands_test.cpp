// Outside commands: the real runner on harmless programs, the address lookup on fakes.
#include <gtest/gtest.h>

#include "hardware_address_lookup.h"
#include "ipv4_resolver.h"
#include "platform_test_support.h"
#include "process_command_runner.h"

namespace vantrel::platform {
namespace {

using testing::RecordingRunner;
using testing::TempDir;
using testing::writeFile;

TEST(ProcessCommandRunner, CapturesOutputAndExitStatus) {
  ProcessCommandRunner runner;
  CommandResult result = runner.run("sh", {"-c", "echo out; echo err >&2; exit 3"});
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.output, "out\n");
  EXPECT_EQ(result.exitStatus, 3);
  EXPECT_FALSE(result.succeeded());

  result = runner.run("cat", {});
  EXPECT_TRUE(result.succeeded()) << "no input to wait for: a password prompt fails at once";
  EXPECT_EQ(result.output, "");

  EXPECT_FALSE(runner.run("vantrel-no-such-program", {}).started);
}

TEST(ProcessCommandRunner, EndsACommandThatHangs) {
  ProcessCommandRunner runner(std::chrono::milliseconds(200));
  // The shell's child keeps the output open: the whole group must go.
  CommandResult result = runner.run("sh", {"-c", "sleep 30 & sleep 30"});
  EXPECT_TRUE(result.timedOut);
  EXPECT_FALSE(result.succeeded());
  // Closing its output does not let it run on.
  result = runner.run("sh", {"-c", "exec >&-; sleep 30"});
  EXPECT_TRUE(result.timedOut);
}

const char* const kArpTable =
    "IP address       HW type     Flags       HW address            Mask     Device\n"
    "10.0.0.5         0x1         0x0         00:00:00:00:00:00     *        eth0\n"
    "10.0.0.7         0x1         0x2         a4:5e:60:11:22:33     *        eth0\n"
    "10.0.0.70        0x1         0x2         de:ad:be:ef:00:01     *        eth0\n";

TEST(HardwareAddressLookup, PingsTheResolvedAddressThenReadsItsRow) {
  TempDir dir;
  writeFile(dir / "arp", kArpTable);
  RecordingRunner runner;
  std::vector<std::string> resolved;
  HardwareAddressLookup lookup(
      runner,
      [&](const std::string& host) -> std::optional<std::string> {
        resolved.push_back(host);
        if (host == "nas.local") return "10.0.0.7";
        if (host == "asleep") return "10.0.0.5";
        return std::nullopt;
      },
      dir / "arp");

  EXPECT_EQ(lookup.lookUp("nas.local"), "a4:5e:60:11:22:33");
  EXPECT_FALSE(lookup.lookUp("asleep")) << "an incomplete row has no address";
  EXPECT_FALSE(lookup.lookUp("-f")) << "unresolvable: nothing is run";
  EXPECT_EQ(runner.calls,
            (std::vector<std::string>{"ping -c 1 -W 2 10.0.0.7", "ping -c 1 -W 2 10.0.0.5"}));
  EXPECT_EQ(HardwareAddressLookup::addressInArpTable(kArpTable, "10.0.0.70"), "de:ad:be:ef:00:01");
  EXPECT_FALSE(HardwareAddressLookup::addressInArpTable(kArpTable, "10.0.0.8"));
}

TEST(Ipv4Resolver, DottedAddressesNeedNoNameService) {
  EXPECT_EQ(resolveIpv4("127.0.0.1"), "127.0.0.1");
  EXPECT_FALSE(resolveIpv4(""));
}

}  // namespace
}  // namespace vantrel::platform
