// Which release counts as newer, which service address may be asked, and when the background
// check is due. What the operator is told is tested end to end in the shell tests.
#include <gtest/gtest.h>

#include "update_check.h"
#include "update_schedule.h"
#include "version_compare.h"

namespace {

using namespace vantrel::update;

TEST(VersionCompare, OrdersReleaseTags) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"7.10", "7.9", 1},
      {"7.4", "7.4.0", 0},
      {"7.05", "7.5", 0},
      {"v7.05", "7.5", 0},
      {"7.5-beta", "7.5", -1},
      {"v8", "7.99", 1},
      {"8.0-rc1", "8.0", -1},
      {"8.0", "8.0-rc1", 1},
      {"8.0-rc1", "8.0-rc2", 0},
      {"V8", "7", -1},  // only a lower-case "v" is a prefix
      {"", "0", 0},
      {"7.x", "7.0", 0},
      {"7.3b", "7.3", 0},
      {"99999999999999999999", "1", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(compareVersions(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(compareVersions(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

TEST(UpdateService, PlainHttpOnlyToThisMachine) {
  EXPECT_TRUE(isUsableServiceAddress("https://api.example.test/repos/o/r/releases/latest"));
  EXPECT_TRUE(isUsableServiceAddress("http://127.0.0.1:8080/latest"));
  EXPECT_TRUE(isUsableServiceAddress("http://localhost/latest"));
  EXPECT_TRUE(isUsableServiceAddress("http://[::1]:99/latest"));
  EXPECT_FALSE(isUsableServiceAddress("http://example.test/latest"));
  EXPECT_FALSE(isUsableServiceAddress("http://127.0.0.1@example.test/latest"));
  EXPECT_FALSE(isUsableServiceAddress("http://127.0.0.1.example.test/latest"));
  EXPECT_FALSE(isUsableServiceAddress("ftp://127.0.0.1/latest"));
  EXPECT_FALSE(isUsableServiceAddress(""));
}

TEST(UpdateSchedule, OnceADay) {
  const std::int64_t now = 1'700'000'000;
  EXPECT_TRUE(isBackgroundCheckDue(std::nullopt, now));
  EXPECT_FALSE(isBackgroundCheckDue(now - 10, now));
  EXPECT_FALSE(isBackgroundCheckDue(now - kBackgroundCheckIntervalSeconds + 1, now));
  EXPECT_TRUE(isBackgroundCheckDue(now - kBackgroundCheckIntervalSeconds, now));
  EXPECT_TRUE(isBackgroundCheckDue(now + 3600, now));  // a clock set back does not block it
}

}  // namespace
