// Option parsing and the small helpers of the worker, tested in-process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "command_queue.h"
#include "env_options.h"
#include "line_writer.h"
#include "shell_collect.h"

namespace {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() { unsetenv(name_); }

 private:
  const char* name_;
};

TEST(EnvOptions, OnlyFourWordsAreTrueAndEmptyMeansUnset) {
  for (const char* yes : {"1", "true", "YES", "On", "tRuE"}) {
    ScopedEnv env("VANTREL_TEST_FLAG", yes);
    EXPECT_TRUE(env_bool("VANTREL_TEST_FLAG", false)) << yes;
  }
  for (const char* no : {"0", "false", "no", "off", "2", "ye", "enabled", " 1"}) {
    ScopedEnv env("VANTREL_TEST_FLAG", no);
    EXPECT_FALSE(env_bool("VANTREL_TEST_FLAG", true)) << no;
  }
  {
    ScopedEnv env("VANTREL_TEST_FLAG", "");
    EXPECT_TRUE(env_bool("VANTREL_TEST_FLAG", true));
    EXPECT_EQ(env_or("VANTREL_TEST_FLAG", "fallback"), "fallback");
  }
  ScopedEnv env("VANTREL_TEST_FLAG", nullptr);
  EXPECT_FALSE(env_bool("VANTREL_TEST_FLAG", false));
}

TEST(EnvOptions, PumpModeNormalisation) {
  EXPECT_EQ(normalize_pump_mode("RunLoop"), "cf");
  EXPECT_EQ(normalize_pump_mode("EdsGetEvent"), "edsgetevent");
  EXPECT_EQ(normalize_pump_mode("BOTH"), "both");
  EXPECT_EQ(normalize_pump_mode("cf"), "cf");
  EXPECT_EQ(normalize_pump_mode("poll"), "cf");
}

TEST(EnvOptions, DetectStrategyNormalisation) {
  for (const char* kept : {"v21", "warm", "both", "list_only", "edsgetevent", "delayed", "cf_long",
                           "matrix", "handshake"}) {
    EXPECT_EQ(normalize_detect_strategy(upper_ascii(kept)), kept);
  }
  EXPECT_EQ(normalize_detect_strategy("NoHandler"), "list_only");
  EXPECT_EQ(normalize_detect_strategy("PING"), "handshake");
  EXPECT_EQ(normalize_detect_strategy("v22"), "handshake");
  EXPECT_EQ(normalize_detect_strategy("list-only"), "handshake");
}

TEST(LineFormats, CodesAndSeconds) {
  EXPECT_EQ(hex_err(0xC0), "0x000000C0");
  EXPECT_EQ(hex_err(0xDEADBEEF), "0xDEADBEEF");
  EXPECT_EQ(fixed_decimals(0.0, 2), "0.00");
  EXPECT_EQ(fixed_decimals(1.2345, 3), "1.234");
  EXPECT_EQ(fixed_decimals(123456789.5, 2), "123456789.50");  // never an exponent
}

TEST(ShellCollect, OutputIsFoldedOntoOneLine) {
  EXPECT_EQ(fold_command_output("Bus 001:  Canon   EOS\r\nline  two\n"),
            "Bus 001: Canon EOS;line two;");
  EXPECT_EQ(fold_command_output(""), "no Canon/EOS/PTP USB lines found");
  EXPECT_EQ(fold_command_output("\r"), "no Canon/EOS/PTP USB lines found");
  EXPECT_EQ(shell_collect("printf 'a\\r\\nb    c\\n'", 100), "a;b c;");
  EXPECT_EQ(shell_collect("true", 100), "no Canon/EOS/PTP USB lines found");
}

TEST(ShellCollect, StopsNearTheLimit) {
  const std::string text = shell_collect("yes 0123456789 | head -c 100000", 1600);
  EXPECT_GE(text.size(), 1600u);
  EXPECT_LT(text.size(), 1600u + 256u);
}

TEST(CommandQueueTest, KeepsOrderAndWakesAWaiterAtOnce) {
  CommandQueue queue;
  std::string line;
  EXPECT_FALSE(queue.pop(line));
  std::thread producer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    queue.push("FIRST");
    queue.push("SECOND");
  });
  const auto start = std::chrono::steady_clock::now();
  queue.wait_for_work(10000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  producer.join();
  ASSERT_TRUE(queue.pop(line));
  EXPECT_EQ(line, "FIRST");
  ASSERT_TRUE(queue.pop(line));
  EXPECT_EQ(line, "SECOND");
  EXPECT_FALSE(queue.pop(line));
}

TEST(CommandQueueTest, ClosingEndsEveryWait) {
  CommandQueue queue;
  std::thread closer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    queue.close();
  });
  const auto start = std::chrono::steady_clock::now();
  queue.wait_for_work(10000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  closer.join();
  queue.wait_for_work(10000);  // stays closed: returns at once
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
