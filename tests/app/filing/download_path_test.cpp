// Two announcements of one download must meet in one spelling, whatever bytes the name holds.
#include <gtest/gtest.h>

#include "download_path.h"

namespace {

using vantrel::filing::standardDownloadPath;

TEST(DownloadPathTest, SpellingsOfOneFileMeet) {
  EXPECT_EQ(standardDownloadPath("/photos/IMG_0001.JPG"), "/photos/IMG_0001.JPG");
  EXPECT_EQ(standardDownloadPath("  /photos//./IMG_0001.JPG\r\n"), "/photos/IMG_0001.JPG");
  EXPECT_EQ(standardDownloadPath("/photos/day/../IMG_0001.JPG"), "/photos/IMG_0001.JPG");
  EXPECT_EQ(standardDownloadPath("/photos/"), "/photos");
  EXPECT_EQ(standardDownloadPath("/"), "/");
}

TEST(DownloadPathTest, NothingButSpaceIsNoPath) {
  EXPECT_EQ(standardDownloadPath(""), "");
  EXPECT_EQ(standardDownloadPath(" \t\n"), "");
}

TEST(DownloadPathTest, BytesThatAreNotUtf8AreKeptAsTheyAre) {
  EXPECT_EQ(standardDownloadPath("/photos/M\xfcller//M\xfcller_0001.JPG"),
            "/photos/M\xfcller/M\xfcller_0001.JPG");
  EXPECT_EQ(standardDownloadPath("/photos/\xff\xfe.JPG "), "/photos/\xff\xfe.JPG");
}

}  // namespace
