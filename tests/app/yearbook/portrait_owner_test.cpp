// Whose photo a file is, and a chosen portrait following its photo through renames and moves:
// never left pointing at another person's photo, never taking over someone else's choice.
#include <gtest/gtest.h>

#include "portrait_choice.h"
#include "portrait_owner.h"
#include "yearbook_fields.h"
#include "yearbook_test_support.h"

namespace fs = std::filesystem;

namespace vantrel::yearbook {
namespace {

using testing::listWithFields;

TEST(PortraitOwner, TheLongestNameOwnsItsFoldersAndOnlyPhotosDirectlyInThem) {
  const fs::path target = "/shoot";
  const names::NamesList list =
      listWithFields({}, {{"Ann"}, {"Ann_Lee"}, {"Bob"}, {"Bob"}, {"Dee: \"x\""}});
  EXPECT_EQ(ownerOfPhoto(list, target, "/shoot/Ann/Ann_0001.JPG"), 0);
  EXPECT_EQ(ownerOfPhoto(list, target, "/shoot/Ann_FR/Ann_FR_0001.JPG"), 0);
  EXPECT_EQ(ownerOfPhoto(list, target, "/shoot/Ann_Lee/Ann_Lee_0001.JPG"), 1);
  EXPECT_EQ(ownerOfPhoto(list, target, "/shoot/Ann_Lee_FR/x.JPG"), 1);
  // The same name twice: the one asked about, else the first.
  EXPECT_EQ(ownerOfPhoto(list, target, "/shoot/Bob/Bob_0001.JPG"), 2);
  EXPECT_EQ(ownerOfPhoto(list, target, "/shoot/Bob/Bob_0001.JPG", 3), 3);
  // Folder names are the sanitised names.
  EXPECT_EQ(ownerOfPhoto(list, target, "/shoot/Dee- -x-/Dee- -x-_0001.JPG"), 4);
  // Nobody's: no such person, the target folder itself, a sub-folder, outside.
  EXPECT_FALSE(ownerOfPhoto(list, target, "/shoot/Annabel/Annabel_0001.JPG"));
  EXPECT_FALSE(ownerOfPhoto(list, target, "/shoot/IMG_0001.JPG"));
  EXPECT_FALSE(ownerOfPhoto(list, target, "/shoot/Ann/old/Ann_0001.JPG"));
  EXPECT_FALSE(ownerOfPhoto(list, target, "/elsewhere/Ann/Ann_0001.JPG"));
  EXPECT_FALSE(ownerOfPhoto(list, target, "/shoot/../Ann/Ann_0001.JPG"));
  EXPECT_EQ(photoPathInTarget(target, "/shoot/Ann/./Ann_0001.JPG"), "Ann/Ann_0001.JPG");
  EXPECT_EQ(photoPathInTarget(target, "/shoot"), "");
  EXPECT_EQ(photoPathInTarget("", "/shoot/Ann/Ann_0001.JPG"), "");
}

class PortraitFollow : public ::testing::Test {
 protected:
  std::string chosen(names::ModelRow row) {
    return std::string(list_.fieldValue(row, kYearbookPhotoField));
  }
  std::vector<names::ModelRow> follow(const std::vector<std::pair<std::string, std::string>>& r) {
    return followPortraitRenames(list_, "/shoot", r);
  }
  names::NamesList list_ = listWithFields(
      {std::string(kYearbookPhotoField)},
      {{"Ann", "Ann/Ann_0002.JPG"}, {"Bob", ""}, {"Cy", "Cy/Cy_0009.JPG"}, {"Ann Leigh", ""}});
};

TEST_F(PortraitFollow, AFolderRenameKeepsTheChoiceUnderTheNewName) {
  // Ann's folder renamed in place (the list's name did not change: the folder is still hers).
  EXPECT_EQ(follow({{"/shoot/Ann/Ann_0002.JPG", "/shoot/Ann_FR/Ann_FR_0002.JPG"}}),
            std::vector<names::ModelRow>{0});
  EXPECT_EQ(chosen(0), "Ann_FR/Ann_FR_0002.JPG");
  // Her photos moved to her new row: the choice moves with them.
  EXPECT_EQ(follow({{"/shoot/Ann_FR/Ann_FR_0001.JPG", "/shoot/Ann Leigh/Ann Leigh_0001.JPG"},
                    {"/shoot/Ann_FR/Ann_FR_0002.JPG", "/shoot/Ann Leigh/Ann Leigh_0002.JPG"}}),
            (std::vector<names::ModelRow>{0, 3}));
  EXPECT_EQ(chosen(0), "");
  EXPECT_EQ(chosen(3), "Ann Leigh/Ann Leigh_0002.JPG");
  // Photos nobody chose change nothing.
  EXPECT_TRUE(follow({{"/shoot/Bob/Bob_0001.JPG", "/shoot/Bob/Bob_0003.JPG"}}).empty());
}

TEST_F(PortraitFollow, AMovedPhotoNeverTakesOverAnotherChoiceAndLeavesNoStaleOne) {
  // Shot the wrong person: Ann's chosen photo was Cy's, and Cy has a choice of his own.
  follow({{"/shoot/Ann/Ann_0002.JPG", "/shoot/Cy/Cy_0010.JPG"}});
  EXPECT_EQ(chosen(0), "") << "not left pointing at Cy's photo";
  EXPECT_EQ(chosen(2), "Cy/Cy_0009.JPG") << "Cy's own choice stays";
  // Bob had none: a chosen photo moved to him becomes his.
  list_.setFieldValue(0, kYearbookPhotoField, "Ann/Ann_0003.JPG");
  follow({{"/shoot/Ann/Ann_0003.JPG", "/shoot/Bob/Bob_0004.JPG"}});
  EXPECT_EQ(chosen(0), "");
  EXPECT_EQ(chosen(1), "Bob/Bob_0004.JPG");
  // Moved out of the target folder, or to a folder of nobody: no choice left.
  follow({{"/shoot/Bob/Bob_0004.JPG", "/elsewhere/Bob_0004.JPG"},
          {"/shoot/Cy/Cy_0009.JPG", "/shoot/Zed/Zed_0001.JPG"}});
  EXPECT_EQ(chosen(1), "");
  EXPECT_EQ(chosen(2), "");
}

TEST(PortraitChoiceOwnership, AChoiceInSomeoneElsesFolderIsPassedOverForTheLastPhoto) {
  testing::TempFolder target;
  fs::create_directories(target.path() / "Ann");
  fs::create_directories(target.path() / "Bob");
  testing::writeJpeg(target.path() / "Ann" / "Ann_0001.JPG", 40, 50);
  testing::writeJpeg(target.path() / "Bob" / "Bob_0002.JPG", 40, 50);
  names::NamesList list = listWithFields({std::string(kYearbookPhotoField)},
                                         {{"Ann", "Bob/Bob_0002.JPG"}, {"Bob", ""}});
  PortraitChoice choice = choosePortrait(list, 0, target.path());
  EXPECT_FALSE(choice.chosen);
  EXPECT_EQ(choice.source, target.path() / "Ann" / "Ann_0001.JPG");
  list.setFieldValue(1, kYearbookPhotoField, "Bob/Bob_0002.JPG");
  choice = choosePortrait(list, 1, target.path());
  EXPECT_TRUE(choice.chosen);
  EXPECT_EQ(choice.source, target.path() / "Bob" / "Bob_0002.JPG");
}

}  // namespace
}  // namespace vantrel::yearbook
