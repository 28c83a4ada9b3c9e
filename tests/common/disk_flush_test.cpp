// Flushes run together still tell each path's own failure, in the order asked.
#include "disk_flush.h"

#include <gtest/gtest.h>

#include "file_test_fixture.h"

namespace {

using DiskFlushTest = FileTestFixture;

TEST_F(DiskFlushTest, FlushesTogetherTellEachPathsOwnFailure) {
  for (const char* name : {"a.jpg", "c.jpg", "e.jpg"}) write(dir_ / name, name);
  const std::vector<std::error_code> errors = vantrel::flush_files_together(
      {dir_ / "a.jpg", dir_ / "gone.jpg", dir_ / "c.jpg", dir_ / "also gone.jpg", dir_ / "e.jpg"});
  ASSERT_EQ(errors.size(), 5u);
  EXPECT_FALSE(errors[0]);
  EXPECT_EQ(errors[1], std::errc::no_such_file_or_directory);
  EXPECT_FALSE(errors[2]);
  EXPECT_EQ(errors[3], std::errc::no_such_file_or_directory);
  EXPECT_FALSE(errors[4]);
  EXPECT_TRUE(vantrel::flush_files_together({}).empty());

  std::filesystem::create_directories(dir_ / "Anna");
  EXPECT_EQ(vantrel::flush_folders_together({dir_, dir_ / "Anna"}),
            (std::vector<std::error_code>{{}, {}}));
}

}  // namespace
