// Photos per person: who has reached the limit, what the status says, and who is next in the
// order the table shows (its sort, search and filter).
#include <gtest/gtest.h>

#include "names_test_support.h"
#include "photo_limit.h"

namespace vantrel::guards {
namespace {

using names::kNoRow;
using names::NamesList;
using names::testing::makeList;

PhotoLimitSettings limitOf(std::int64_t photos, bool selectNext = false) {
  return {photos, selectNext};
}

TEST(PhotoLimit, OnlyALimitAboveZeroIsReachedAndStoredValuesAreKeptInRange) {
  EXPECT_FALSE(reachedPhotoLimit(50, 0));
  EXPECT_FALSE(reachedPhotoLimit(1, 2));
  EXPECT_TRUE(reachedPhotoLimit(2, 2));
  EXPECT_TRUE(reachedPhotoLimit(3, 2));
  EXPECT_EQ(clampedPhotoLimit(-4), 0);
  EXPECT_EQ(clampedPhotoLimit(7), 7);
  EXPECT_EQ(clampedPhotoLimit(1000), kMaxPhotosPerPerson);
}

TEST(PhotoLimit, TheCurrentPersonAtOrOverTheLimitIsToldToMoveOn) {
  NamesList list = makeList({{"Ann Lee", "", "1"}, {"Bo", "", "0"}});
  EXPECT_FALSE(reactToCountedPhoto(list, 0, 0, limitOf(2))) << "below the limit";
  EXPECT_FALSE(reactToCountedPhoto(list, 0, 0, limitOf(0))) << "no limit";

  list.addCaptureToModelRow(0);
  auto reaction = reactToCountedPhoto(list, 0, 0, limitOf(2));
  ASSERT_TRUE(reaction);
  EXPECT_EQ(reaction->status, "Ann Lee has 2 photos — select the next person");
  EXPECT_EQ(reaction->select, kNoRow) << "the option is off";

  list.addCaptureToModelRow(0);
  reaction = reactToCountedPhoto(list, 0, 0, limitOf(2));
  ASSERT_TRUE(reaction);
  EXPECT_EQ(reaction->status, "Ann Lee has 3 photos — select the next person");

  const NamesList one = makeList({{"Bo", "", "1"}});
  EXPECT_EQ(reactToCountedPhoto(one, 0, 0, limitOf(1))->status,
            "Bo has 1 photo — select the next person");
}

TEST(PhotoLimit, APhotoOfSomeoneNoLongerSelectedOrOfNobodyChangesNothing) {
  const NamesList list = makeList({{"Ann", "", "5"}, {"Bo", "", "0"}, {"  ", "", "5"}});
  // The operator selected Bo while Ann's last photo was still being filed.
  EXPECT_FALSE(reactToCountedPhoto(list, 0, 1, limitOf(2, true)));
  EXPECT_FALSE(reactToCountedPhoto(list, kNoRow, kNoRow, limitOf(2, true)));
  EXPECT_FALSE(reactToCountedPhoto(list, 2, 2, limitOf(2, true))) << "a blank row is nobody";
}

TEST(PhotoLimit, TheNextRemainingPersonFollowsTheListAndWrapsRound) {
  const NamesList list = makeList(
      {{"Ann", "", "0"}, {"Bo", "", "2"}, {"Cy", "", "2"}, {"", "", "0"}, {"Di", "", "1"}});
  EXPECT_EQ(nextRemainingPerson(list, 1, 2), 4) << "past Cy at the limit and the blank row";
  EXPECT_EQ(nextRemainingPerson(list, 4, 2), 0) << "round to the top";
  EXPECT_EQ(nextRemainingPerson(list, 0, 2), 4);

  const auto reaction = reactToCountedPhoto(list, 2, 2, limitOf(2, true));
  ASSERT_TRUE(reaction);
  EXPECT_EQ(reaction->select, 4);
  EXPECT_EQ(reaction->status, "Cy has 2 photos — selected Di");
}

TEST(PhotoLimit, TheNextRemainingPersonIsTheNextTheTableShows) {
  NamesList list = makeList(
      {{"Ann", "", "2"}, {"Bo", "", "0"}, {"Dan", "", "0"}, {"Cy", "", "0"}, {"Jan", "", "0"}});
  list.cycleSortMode();
  list.cycleSortMode();  // Z to A: Jan, Dan, Cy, Bo, Ann
  list.applySearchFilter();
  ASSERT_EQ(list.display().sortMode(), names::SortMode::Descending);
  EXPECT_EQ(nextRemainingPerson(list, 2, 2), 3) << "after Dan comes Cy";
  EXPECT_EQ(nextRemainingPerson(list, 0, 2), 4) << "after Ann, round to Jan";

  list.cycleSortMode();  // list order again, searched for "an": Ann, Dan, Jan
  list.setSearchText("an");
  list.applySearchFilter();
  EXPECT_EQ(nextRemainingPerson(list, 0, 2), 2) << "Bo is not shown";
  EXPECT_EQ(nextRemainingPerson(list, 1, 2), 2) << "the current person hidden: from the top";
}

TEST(PhotoLimit, WhenEveryoneShownHasReachedTheLimitTheSelectionStays) {
  const NamesList list = makeList({{"Ann", "", "2"}, {"Bo", "", "3"}});
  EXPECT_EQ(nextRemainingPerson(list, 0, 2), kNoRow);
  const auto reaction = reactToCountedPhoto(list, 0, 0, limitOf(2, true));
  ASSERT_TRUE(reaction);
  EXPECT_EQ(reaction->select, kNoRow);
  EXPECT_EQ(reaction->status, "Ann has 2 photos — nobody shown has fewer than 2");
  EXPECT_EQ(nextRemainingPerson(makeList({}), kNoRow, 2), kNoRow);
}

}  // namespace
}  // namespace vantrel::guards
