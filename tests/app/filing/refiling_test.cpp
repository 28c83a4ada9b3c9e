// The last photos filed, moved to another person: the record of what was filed this session, and
// the refiling that gives them the next numbers in the new person's folders.
#include "filed_photos.h"
#include "filing_messages.h"
#include "filing_test_support.h"
#include "photo_refiling.h"
#include "refiling_messages.h"

namespace vantrel::filing {
namespace {

namespace fs = std::filesystem;

TEST(FiledPhotos, KeepsTheFilingOrderFollowsRenamesAndForgetsTheOldest) {
  FiledPhotos filed;
  filed.add({"/t/Ann/Ann_0001.JPG", ""});
  filed.add({"/t/Ann_FR/Ann_FR_0002.JPG", "_FR"});
  filed.add({"/t/Bo/Bo_0003.JPG", ""});
  EXPECT_EQ(filed.last(2), (std::vector<FiledPhoto>{{"/t/Ann_FR/Ann_FR_0002.JPG", "_FR"},
                                                    {"/t/Bo/Bo_0003.JPG", ""}}));
  EXPECT_EQ(filed.last(10).size(), 3u);
  EXPECT_TRUE(filed.last(0).empty());

  // A folder renamed: the photo keeps its place among the last ones.
  filed.followRenames({{"/t/Ann/Ann_0001.JPG", "/t/Cy/Cy_0001.JPG"}, {"/t/x.JPG", "/t/y.JPG"}});
  EXPECT_EQ(filed.last(3).front(), (FiledPhoto{"/t/Cy/Cy_0001.JPG", ""}));

  for (std::size_t i = 0; i < FiledPhotos::kKept; ++i) filed.add({"/t/n" + std::to_string(i), ""});
  EXPECT_EQ(filed.size(), FiledPhotos::kKept);
  EXPECT_EQ(filed.last(FiledPhotos::kKept).front().path, "/t/n0");
}

class Refiling : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    state_.publish({root_, "Ann", "", "", 0});
    state_.setCounterText("12");
  }
  FiledPhoto filed(const std::string& relative, const std::string& suffix = "") {
    write(root_ / relative, "bytes of " + relative);
    return {root_ / relative, suffix};
  }
  std::vector<std::string> movedTo(const RefilingResult& result) {
    std::vector<std::string> names;
    for (const PhotoRename& move : result.moved)
      names.push_back(move.to.lexically_relative(root_).native());
    return names;
  }

  PublishedFilingState state_;
};

TEST_F(Refiling, PhotosTakeTheNextFreeNumbersAtTheCounterKeepingTheirTagsAndOrder) {
  write(root_ / "Bob" / "Bob_0012.JPG", "Bob's own");
  const std::vector<FiledPhoto> photos = {filed("Ann/Ann_0010.JPG"), filed("Ann/Ann_0011.CR3"),
                                          filed("Ann_FR/Ann_FR_0009.JPG", "_FR")};
  const RefilingResult result = refileForPerson(photos, {"Bob", 1}, state_);

  EXPECT_TRUE(result.firstError.empty()) << result.firstError;
  EXPECT_EQ(movedTo(result),
            (testing::Names{"Bob/Bob_0013.JPG", "Bob/Bob_0014.CR3", "Bob_FR/Bob_FR_0015.JPG"}));
  EXPECT_EQ(result.moved[0].from, photos[0].path);
  EXPECT_EQ(read(root_ / "Bob" / "Bob_0012.JPG"), "Bob's own") << "never overwritten";
  EXPECT_EQ(read(root_ / "Bob" / "Bob_0013.JPG"), "bytes of Ann/Ann_0010.JPG");
  EXPECT_EQ(read(root_ / "Bob_FR" / "Bob_FR_0015.JPG"), "bytes of Ann_FR/Ann_FR_0009.JPG");
  EXPECT_TRUE(fs::is_empty(root_ / "Ann"));
  EXPECT_TRUE(result.counterChanged);
  EXPECT_EQ(state_.counterText(), "16");
  EXPECT_EQ(movedLastPhotosStatus(result, "Bob"), "Moved 3 photos to \"Bob\".");
}

TEST_F(Refiling, PhotosAlreadyThereOrGoneStayAsTheyAreAndAFailedMoveLosesNothing) {
  const std::vector<FiledPhoto> photos = {
      filed("Bob/Bob_0003.JPG"), {root_ / "Ann" / "gone.JPG", ""}, filed("Ann/Ann_0004.JPG")};
  const RefilingResult result = refileForPerson(photos, {"Bob", 1}, state_);
  EXPECT_EQ(movedTo(result), testing::Names{"Bob/Bob_0012.JPG"});
  EXPECT_EQ(result.alreadyThere, 1);
  EXPECT_EQ(result.missing, 1);
  EXPECT_EQ(read(root_ / "Bob" / "Bob_0003.JPG"), "bytes of Bob/Bob_0003.JPG");
  EXPECT_EQ(movedLastPhotosStatus(result, "Bob"),
            "Moved 1 photo to \"Bob\". 1 photo was already there. 1 photo was no longer where it "
            "was filed.");

  // A file where Cy's folder should be: the photo stays, and the reason is given.
  write(root_ / "Cy", "not a folder");
  const FiledPhoto stays = filed("Ann/Ann_0020.JPG");
  const RefilingResult failed = refileForPerson({stays}, {"Cy", 2}, state_);
  EXPECT_TRUE(failed.moved.empty());
  EXPECT_FALSE(failed.firstError.empty());
  EXPECT_EQ(read(stays.path), "bytes of Ann/Ann_0020.JPG");
}

TEST(RefilingMessages, TheDialogSaysHowManyWereFiled) {
  EXPECT_NE(moveLastPhotosMessage(1).find("(1 photo so far)"), std::string::npos);
  EXPECT_NE(moveLastPhotosMessage(4).find("(4 photos so far)"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::filing
