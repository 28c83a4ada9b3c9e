// A file kept aside gets a name that says when, and never takes the place of another.
#include "move_aside.h"

#include <gtest/gtest.h>

#include <ctime>

#include "backup_test_support.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::treeOf;
using testing::writeFile;

// 2024-01-02 03:04:05 on the local clock.
std::chrono::system_clock::time_point secondOfJanuarySecond() {
  std::tm local{};
  local.tm_year = 2024 - 1900;
  local.tm_mon = 0;
  local.tm_mday = 2;
  local.tm_hour = 3;
  local.tm_min = 4;
  local.tm_sec = 5;
  local.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TEST(MoveAside, NamesTheFileAfterTheLocalTime) {
  TempDir dir;
  writeFile(dir / "q.plist", "bytes");
  const fs::path aside = moveAsideUnreadable(dir / "q.plist", secondOfJanuarySecond());
  EXPECT_EQ(aside, dir / "q.plist.unreadable-20240102-030405");
  EXPECT_EQ(readFile(aside), "bytes");
  EXPECT_EQ(treeOf(dir.path()), std::vector<std::string>{"q.plist.unreadable-20240102-030405"});
}

TEST(MoveAside, CountsOnPastNamesThatAreTaken) {
  TempDir dir;
  const std::string stamped = "q.plist.unreadable-20240102-030405";
  writeFile(dir / stamped, "first");
  writeFile(dir / (stamped + "-2"), "second");
  writeFile(dir / "q.plist", "third");
  EXPECT_EQ(moveAsideUnreadable(dir / "q.plist", secondOfJanuarySecond()), dir / (stamped + "-3"));
  writeFile(dir / "q.plist", "fourth");
  EXPECT_EQ(moveAsideUnreadable(dir / "q.plist", secondOfJanuarySecond()), dir / (stamped + "-4"));
  EXPECT_EQ(readFile(dir / stamped), "first");
  EXPECT_EQ(readFile(dir / (stamped + "-2")), "second");
  EXPECT_EQ(readFile(dir / (stamped + "-3")), "third");
  EXPECT_EQ(readFile(dir / (stamped + "-4")), "fourth");
  EXPECT_FALSE(fs::exists(dir / "q.plist"));
}

}  // namespace
}  // namespace vantrel::backup
