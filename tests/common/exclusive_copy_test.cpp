#include "exclusive_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "file_test_fixture.h"

namespace fs = std::filesystem;

namespace {

using ExclusiveCopyTest = FileTestFixture;

TEST_F(ExclusiveCopyTest, CopiesEveryByteWithModeAndModificationTime) {
  std::string photo(1'000'003, '\0');
  for (std::size_t i = 0; i < photo.size(); ++i) photo[i] = static_cast<char>(i % 251);
  write(dir_ / "a.jpg", photo);
  fs::permissions(dir_ / "a.jpg", fs::perms::owner_read | fs::perms::owner_write);
  const auto modified = fs::last_write_time(dir_ / "a.jpg") - std::chrono::hours(30);
  fs::last_write_time(dir_ / "a.jpg", modified);

  vantrel::CopyFailure failure;
  ASSERT_TRUE(vantrel::copy_file_exclusively(dir_ / "a.jpg", dir_ / "b.jpg", failure));
  EXPECT_FALSE(failure.error);
  EXPECT_TRUE(read(dir_ / "b.jpg") == photo);
  EXPECT_EQ(fs::status(dir_ / "b.jpg").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::last_write_time(dir_ / "b.jpg"), modified);
}

TEST_F(ExclusiveCopyTest, NeverReplacesAFile) {
  write(dir_ / "a.jpg", "new");
  write(dir_ / "b.jpg", "old");
  std::error_code error;
  EXPECT_FALSE(vantrel::copy_file_exclusively(dir_ / "a.jpg", dir_ / "b.jpg", error));
  EXPECT_EQ(error, std::errc::file_exists);
  EXPECT_EQ(read(dir_ / "b.jpg"), "old");
}

TEST_F(ExclusiveCopyTest, SaysWhichSideFailed) {
  vantrel::CopyFailure failure;
  EXPECT_FALSE(vantrel::copy_file_exclusively(dir_ / "gone.jpg", dir_ / "b.jpg", failure));
  EXPECT_EQ(failure.error, std::errc::no_such_file_or_directory);
  EXPECT_TRUE(failure.source_side);
  EXPECT_FALSE(fs::exists(dir_ / "b.jpg"));

  write(dir_ / "a.jpg", "photo");
  EXPECT_FALSE(vantrel::copy_file_exclusively(dir_ / "a.jpg", dir_ / "no" / "b.jpg", failure));
  EXPECT_EQ(failure.error, std::errc::no_such_file_or_directory);
  EXPECT_FALSE(failure.source_side);

  // A folder opens but cannot be read: the copy started is taken back.
  EXPECT_FALSE(vantrel::copy_file_exclusively(dir_, dir_ / "c.jpg", failure));
  EXPECT_EQ(failure.error, std::errc::is_a_directory);
  EXPECT_TRUE(failure.source_side);
  EXPECT_FALSE(fs::exists(dir_ / "c.jpg"));
}

}  // namespace
