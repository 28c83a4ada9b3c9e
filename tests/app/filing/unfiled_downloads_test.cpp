// Finding photos left under their camera names in the download folders.
#include "unfiled_downloads.h"

#include "filing_test_support.h"

namespace vantrel::filing::testing {
namespace {

using UnfiledDownloadsTest = TempFolderTest;

void setAge(const fs::path& path, int secondsAgo) {
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
}

TEST_F(UnfiledDownloadsTest, OnlyPhotosDirectlyInTheFoldersCountOldestFirst) {
  const fs::path target = root_ / "photos";
  const fs::path waiting = root_ / "unset";
  write(target / "IMG_0003.JPG");
  write(target / "IMG_0001.CR3");
  write(waiting / "IMG_0002.jpg");
  setAge(target / "IMG_0003.JPG", 10);
  setAge(target / "IMG_0001.CR3", 30);
  setAge(waiting / "IMG_0002.jpg", 20);
  // Not unfiled photos: a download in progress, a note, a person's photos, a folder named like
  // a photo.
  write(target / ".IMG_0004.JPG.part");
  write(target / "notes.txt");
  write(target / "Ann" / "Ann_0001.JPG");
  fs::create_directories(target / "IMG_0005.JPG");

  EXPECT_EQ(findUnfiledDownloads({target, waiting, root_ / "missing"}, {}),
            (Names{(target / "IMG_0001.CR3").string(), (waiting / "IMG_0002.jpg").string(),
                   (target / "IMG_0003.JPG").string()}));
}

TEST_F(UnfiledDownloadsTest, AFolderGivenTwiceAndSkippedPathsAddNothing) {
  const fs::path target = root_ / "photos";
  write(target / "IMG_0001.JPG");
  write(target / "IMG_0002.JPG");
  // Equal times fall back to the name, so the order never depends on the directory's.
  setAge(target / "IMG_0001.JPG", 5);
  setAge(target / "IMG_0002.JPG", 5);
  const auto skipSecond = [&](const std::string& path) {
    return path == (target / "IMG_0002.JPG").string();
  };
  EXPECT_EQ(findUnfiledDownloads({target, root_ / "photos/", target}, skipSecond),
            Names{(target / "IMG_0001.JPG").string()});
  EXPECT_EQ(findUnfiledDownloads({target}, {}).size(), 2u);
}

TEST(UnfiledPhotosTexts, FollowTheCountRule) {
  EXPECT_EQ(unfiledPhotosStatus(1),
            "1 unfiled photo found in the download folder. File them from the Camera menu.");
  EXPECT_EQ(unfiledPhotosMessage(1).substr(0, 12), "1 photo was ");
  EXPECT_EQ(unfiledPhotosMessage(3).substr(0, 14), "3 photos were ");
  EXPECT_EQ(fileThemForButton("Ann Lee"), "File them for Ann Lee");
}

}  // namespace
}  // namespace vantrel::filing::testing
