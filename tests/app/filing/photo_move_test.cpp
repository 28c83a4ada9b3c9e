// Moving a person's photos to another name: folders on disk, the list's destination row, and
// the suffix folders the dialog offers.
#include "photo_move.h"
#include "filing_messages.h"
#include "filing_test_support.h"
#include "move_candidates.h"

namespace vantrel::filing {
namespace {

namespace fs = std::filesystem;
using testing::Names;

class PhotoMove : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    makePhotoFolder(root_ / "Ann", 2);
    makePhotoFolder(root_ / "Ann_FR", 1);
    makePhotoFolder(root_ / "Ann_SS", 3);
    list_.replaceRows({{"Zed", "", "0"}, {"Ann", "", "6"}, {"Cy", "", "0"}});
    list_.applySearchFilter();
  }
  Names allNames() const {
    Names names;
    for (names::ModelRow row = 0; row < list_.rowCount(); ++row)
      names.emplace_back(list_.nameForModelRow(row));
    return names;
  }

  names::NamesList list_;
};

TEST_F(PhotoMove, MainFolderAndChosenSuffixFoldersMoveToANewRowBelow) {
  const PhotoMoveResult result =
      movePhotosFromRow(list_, 1, "  Bob ", {"_FR", "_XX"}, FolderRenamer(root_));

  EXPECT_EQ(result.firstError, "");
  EXPECT_EQ(namesIn(root_), (Names{"Ann_SS", "Bob", "Bob_FR"}));
  EXPECT_EQ(namesIn(root_ / "Bob_FR"), Names{"Bob_FR_0001.JPG"});
  EXPECT_EQ(allNames(), (Names{"Zed", "Ann", "Bob", "Cy"}));
  EXPECT_EQ(list_.selectedRow(), 2);
  EXPECT_EQ(list_.rows()[2], (names::Row{"Bob", "", "3"}));
  EXPECT_EQ(list_.capturedForModelRow(1), 3);  // what is left: the unchosen Ann_SS
  EXPECT_EQ(movedPhotosStatus(result.photos, "Bob", result.rowAdded),
            "Moved 3 photos to \"Bob\" (new row added).");
}

// The photos go to the folder of the row they are counted against, spelled as that row is.
TEST_F(PhotoMove, AnExistingRowOfTheNameIgnoringCaseTakesThePhotos) {
  makePhotoFolder(root_ / "BOB", 1);
  list_.replaceRows({{"Ann", "", "0"}, {"BOB", "", "0"}});

  const PhotoMoveResult result = movePhotosFromRow(list_, 0, "Bob", {}, FolderRenamer(root_));

  EXPECT_FALSE(result.rowAdded);
  EXPECT_EQ(result.destinationName, "BOB");
  EXPECT_EQ(allNames(), (Names{"Ann", "BOB"}));
  EXPECT_EQ(list_.selectedRow(), 1);
  EXPECT_EQ(namesIn(root_), (Names{"Ann_FR", "Ann_SS", "BOB"}));
  EXPECT_EQ(list_.capturedForModelRow(1), 3);
}

TEST_F(PhotoMove, TheSourcesOwnNameIgnoringCaseOrAnEmptyNameDoesNothing) {
  const auto revision = list_.revision();
  for (const char* name : {"ann", " ANN ", "  "})
    EXPECT_FALSE(movePhotosFromRow(list_, 1, name, {"_FR"}, FolderRenamer(root_)).performed);
  EXPECT_EQ(list_.revision(), revision);
  EXPECT_EQ(namesIn(root_), (Names{"Ann", "Ann_FR", "Ann_SS"}));
}

TEST_F(PhotoMove, WithoutTargetFolderOnlyTheListChangesAndTheSearchStays) {
  list_.setSearchText("Ann");
  EXPECT_EQ(movePhotosFromRow(list_, 1, "Bob", {"_FR"}, FolderRenamer({})).photos, 0);
  EXPECT_EQ(namesIn(root_), (Names{"Ann", "Ann_FR", "Ann_SS"}));
  EXPECT_EQ(allNames(), (Names{"Zed", "Ann", "Bob", "Cy"}));
  EXPECT_EQ(list_.display().searchText(), "Ann");
  EXPECT_EQ(list_.selectedRow(), 2);
}

TEST_F(PhotoMove, CandidatesAreTagsThenFoldersOnDiskCheckedWhenTheyExist) {
  makePhotoFolder(root_ / "Ann-B", 1);
  const SuffixTags tags(
      {{"GR", "_GR", true}, {"X", "", true}, {"B", "-B", false}, {"SS again", "_SS", false}});

  Names titles;
  for (const auto& candidate : moveCandidates(tags, root_, "Ann"))
    titles.push_back(candidate.title + (candidate.checked ? " [x]" : ""));
  EXPECT_EQ(titles, (Names{"_GR   (no photos)", "-B   (1 photo) [x]", "_SS   (3 photos) [x]",
                           "_FR   (1 photo) [x]"}));

  const auto withoutTarget = moveCandidates(tags, fs::path(), "Ann");
  ASSERT_EQ(withoutTarget.size(), 3u);
  EXPECT_EQ(withoutTarget[2].title, "_SS   (no photos)");
  EXPECT_FALSE(withoutTarget[2].checked);
}

}  // namespace
}  // namespace vantrel::filing
