#include "no_replace_rename.h"

#include <gtest/gtest.h>

#include <string>

#include "file_test_fixture.h"

namespace fs = std::filesystem;

namespace {

using NoReplaceRenameTest = FileTestFixture;

TEST_F(NoReplaceRenameTest, MovesToAFreeName) {
  write(dir_ / "a.jpg", "photo");
  std::error_code ec;
  EXPECT_TRUE(vantrel::rename_no_replace(dir_ / "a.jpg", dir_ / "b.jpg", ec));
  EXPECT_FALSE(ec);
  EXPECT_FALSE(fs::exists(dir_ / "a.jpg"));
  EXPECT_EQ(read(dir_ / "b.jpg"), "photo");
}

TEST_F(NoReplaceRenameTest, NeverReplacesAnExistingFileAndKeepsTheSource) {
  write(dir_ / "a.jpg", "new");
  write(dir_ / "b.jpg", "old");
  std::error_code ec;
  EXPECT_FALSE(vantrel::rename_no_replace(dir_ / "a.jpg", dir_ / "b.jpg", ec));
  EXPECT_EQ(ec, std::errc::file_exists);
  EXPECT_EQ(read(dir_ / "a.jpg"), "new");
  EXPECT_EQ(read(dir_ / "b.jpg"), "old");
}

TEST_F(NoReplaceRenameTest, MissingSourceReportsAnError) {
  std::error_code ec;
  EXPECT_FALSE(vantrel::rename_no_replace(dir_ / "none.jpg", dir_ / "b.jpg", ec));
  EXPECT_EQ(ec, std::errc::no_such_file_or_directory);
  EXPECT_FALSE(fs::exists(dir_ / "b.jpg"));
}

}  // namespace
