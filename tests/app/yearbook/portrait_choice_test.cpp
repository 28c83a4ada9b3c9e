// Which photo becomes a person's portrait: the chosen one when it is really inside the target
// folder, else the last JPEG over the person's folders.
#include <gtest/gtest.h>

#include <thread>

#include "portrait_choice.h"
#include "yearbook_fields.h"
#include "yearbook_test_support.h"

namespace vantrel::yearbook {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

void touch(const fs::path& path) {
  fs::create_directories(path.parent_path());
  testing::writeBytes(path, "x");
}

TEST(PortraitChoice, TakesTheHighestNumberedJpegOverThePersonsFolders) {
  TempFolder target;
  touch(target.path() / "Ann Lee" / "Ann Lee_0002.JPG");
  touch(target.path() / "Ann Lee" / "Ann Lee_0005.CR3");  // later, but raw
  touch(target.path() / "Ann Lee_FR" / "Ann Lee_FR_0004.jpeg");
  touch(target.path() / "Ann Lee_FR" / "._Ann Lee_FR_0009.JPG");  // hidden companion file
  touch(target.path() / "Ann Lee_FR" / "portrait.jpg");           // not numbered
  touch(target.path() / "Ann Leeds" / "Ann Leeds_0008.JPG");      // another person
  touch(target.path() / "Ann Lee_0009.JPG");                      // not in a folder

  const PortraitChoice last = lastPhotoOfPerson(target.path(), "Ann Lee");
  EXPECT_EQ(last.problem, PortraitProblem::None);
  EXPECT_EQ(last.source, target.path() / "Ann Lee_FR" / "Ann Lee_FR_0004.jpeg");
  EXPECT_FALSE(last.chosen);

  touch(target.path() / "Bo" / "unnumbered.JPG");
  EXPECT_EQ(lastPhotoOfPerson(target.path(), "Bo").source, target.path() / "Bo" / "unnumbered.JPG")
      << "a JPEG named otherwise still serves when it is the only one";
}

TEST(PortraitChoice, SaysWhyThereIsNoPortrait) {
  TempFolder target;
  touch(target.path() / "Raw Only" / "Raw Only_0001.CR3");
  touch(target.path() / "Raw Only_FR" / "Raw Only_FR_0002.NEF");
  touch(target.path() / "Png Only" / "Png Only_0001.png");
  fs::create_directories(target.path() / "Empty");

  EXPECT_EQ(lastPhotoOfPerson(target.path(), "Raw Only").problem, PortraitProblem::OnlyRawPhotos);
  EXPECT_EQ(lastPhotoOfPerson(target.path(), "Png Only").problem, PortraitProblem::NoJpegPhoto);
  EXPECT_EQ(lastPhotoOfPerson(target.path(), "Empty").problem, PortraitProblem::NoPhoto);
  EXPECT_EQ(lastPhotoOfPerson(target.path(), "Nobody").problem, PortraitProblem::NoPhoto);
  EXPECT_TRUE(lastPhotoOfPerson(target.path(), "Nobody").source.empty());
}

TEST(PortraitChoice, UsesTheChosenPhotoOnlyWhenItIsAFileInsideTheTarget) {
  TempFolder root;
  const fs::path target = root.path() / "target";
  touch(target / "Ann Lee" / "Ann Lee_0001.JPG");
  touch(target / "Ann Lee" / "Ann Lee_0002.JPG");
  touch(root.path() / "outside.jpg");
  fs::create_symlink(root.path() / "outside.jpg", target / "Ann Lee" / "link.jpg");

  EXPECT_EQ(chosenPhotoInTarget(target, "Ann Lee/Ann Lee_0001.JPG"),
            target / "Ann Lee" / "Ann Lee_0001.JPG");
  for (const std::string& bad : std::vector<std::string>{
           "", "/etc/passwd", (root.path() / "outside.jpg").native(), "../outside.jpg",
           "Ann Lee/../../outside.jpg", "Ann Lee//Ann Lee_0001.JPG", "./Ann Lee/Ann Lee_0001.JPG",
           "Ann Lee", "Ann Lee/missing.JPG", "Ann Lee/link.jpg"})
    EXPECT_FALSE(chosenPhotoInTarget(target, bad)) << bad;

  names::NamesList list = testing::listWithFields({std::string(kYearbookPhotoField)},
                                                  {{"Ann Lee", "Ann Lee/Ann Lee_0001.JPG"},
                                                   {"Ann Lee", "../outside.jpg"},
                                                   {"Ann Lee", "Ann Lee/gone.JPG"}});
  const PortraitChoice chosen = choosePortrait(list, 0, target);
  EXPECT_TRUE(chosen.chosen);
  EXPECT_EQ(chosen.source, target / "Ann Lee" / "Ann Lee_0001.JPG");
  for (names::ModelRow row : {1, 2}) {
    const PortraitChoice fallback = choosePortrait(list, row, target);
    EXPECT_FALSE(fallback.chosen) << row;
    EXPECT_EQ(fallback.source, target / "Ann Lee" / "Ann Lee_0002.JPG") << row;
  }
}

}  // namespace
}  // namespace vantrel::yearbook
