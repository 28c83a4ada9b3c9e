// Search, capture filter, sort, and the mapping between display rows and model rows.
#include <gtest/gtest.h>

#include "names_test_support.h"

namespace vantrel::names {
namespace {

using testing::allNames;
using testing::listOfNames;
using testing::makeList;
using testing::shownNames;
using Names = std::vector<std::string>;

TEST(Search, MatchesNameAndNoteJoinedBySpace) {
  auto list = makeList({{"Ann Lee", "", ""},
                        {"LEE, Tom", "", ""},
                        {"Bo", "from Leeds", ""},
                        {"Ann", "Lee", ""},
                        {"Cy", "", ""}});
  list.setSearchText("  lee ");
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Ann Lee", "LEE, Tom", "Bo", "Ann"}));

  list.setSearchText("ann lee");
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Ann Lee", "Ann"}));

  list.setSearchText("lee ann");
  list.applySearchFilter();
  EXPECT_TRUE(shownNames(list).empty());
}

TEST(Search, SpacesOnlyIsNoSearchAndKeepsReorderingAllowed) {
  auto list = listOfNames(Names{"Ann", "Bo"});
  list.setSearchText("   ");
  list.applySearchFilter();
  EXPECT_FALSE(list.display().isSearchActive());
  EXPECT_TRUE(list.display().canReorderRows());
  EXPECT_EQ(shownNames(list), Names({"Ann", "Bo"}));
}

TEST(Search, SeesEditsMadeAfterTheLastFilter) {
  auto list = listOfNames(Names{"Ann", "Bo"});
  list.setSearchText("zed");
  list.applySearchFilter();
  EXPECT_TRUE(shownNames(list).empty());
  list.setNote(1, "Zed's brother");
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Bo"}));
}

TEST(Search, UsesTheInjectedLowerCasing) {
  // Stands in for a full Unicode lower-casing the fallback does not know.
  TextFolding folding = utf8FallbackFolding();
  folding.lower = [](std::string_view text) {
    std::string out = utf8FallbackLower(text);
    for (std::size_t at; (at = out.find("\u1E9E")) != std::string::npos;) out.replace(at, 3, "ß");
    return out;
  };
  auto list = makeList({{"STRA\u1E9EE", "", ""}, {"Ann", "", ""}}, folding);
  list.setSearchText("straße");
  list.applySearchFilter();
  EXPECT_EQ(list.display().displayRows(), std::vector<ModelRow>({0}));
}

TEST(CaptureFilter, HidesRowsByPhotoCount) {
  auto list = makeList({{"Ann", "", "2"}, {"Bo", "", "abc"}, {"Cy", "", ""}, {"Di", "", "0"}});
  EXPECT_EQ(list.cycleCaptureFilter(), CaptureFilter::WithPhotos);
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Ann"}));
  EXPECT_FALSE(list.display().canReorderRows());

  EXPECT_EQ(list.cycleCaptureFilter(), CaptureFilter::Remaining);
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Bo", "Cy", "Di"}));

  EXPECT_EQ(list.cycleCaptureFilter(), CaptureFilter::All);
}

TEST(Sort, IsCaseInsensitiveAndKeepsListOrderForEqualNames) {
  auto list = listOfNames(Names{"bob", "Alice", "alice"});
  EXPECT_EQ(list.cycleSortMode(), SortMode::Ascending);
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Alice", "alice", "bob"}));

  EXPECT_EQ(list.cycleSortMode(), SortMode::Descending);
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"bob", "Alice", "alice"}));

  EXPECT_EQ(list.cycleSortMode(), SortMode::ListOrder);
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"bob", "Alice", "alice"}));
  EXPECT_EQ(allNames(list), Names({"bob", "Alice", "alice"}));
}

TEST(Sort, CombinesWithSearchAndFollowsRenames) {
  auto list = makeList({{"Cara", "x", ""}, {"Abe", "x", ""}, {"Bea", "", ""}, {"Dan", "x", ""}});
  list.cycleSortMode();
  list.cycleSortMode();
  list.setSearchText("X");
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Dan", "Cara", "Abe"}));

  ASSERT_TRUE(list.setNameFromEdit(1, "Zoe"));
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Zoe", "Dan", "Cara"}));
}

TEST(Sort, UsesTheInjectedComparison) {
  // A collation that orders by length stands in for a locale's rules.
  TextFolding folding = utf8FallbackFolding();
  folding.compare = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
  };
  auto list = makeList({{"Ann", "", ""}, {"Al", "", ""}, {"Bob", "", ""}}, folding);
  list.cycleSortMode();
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Al", "Ann", "Bob"}));
}

TEST(DisplayMapping, AnswersMinusOneOutsideTheDisplayOrder) {
  auto list = listOfNames(Names{"Ann", "Bo", "Cy"});
  list.setSearchText("c");
  list.applySearchFilter();
  EXPECT_EQ(list.modelRowForDisplayRow(0), 2);
  EXPECT_EQ(list.modelRowForDisplayRow(1), kNoRow);
  EXPECT_EQ(list.modelRowForDisplayRow(-1), kNoRow);
  EXPECT_EQ(list.displayRowForModelRow(2), 0);
  EXPECT_EQ(list.displayRowForModelRow(0), kNoRow);
  EXPECT_EQ(list.displayRowForModelRow(-1), kNoRow);
}

TEST(KeyboardMove, StaysInsideTheTable) {
  auto list = listOfNames(Names{"Ann", "Bo", "Cy"});
  const DisplayOrder& display = list.display();
  EXPECT_EQ(display.moveGridSelectionBy(kNoRow, -1), 2);
  EXPECT_EQ(display.moveGridSelectionBy(kNoRow, 1), 0);
  EXPECT_EQ(display.moveGridSelectionBy(0, -1), 0);
  EXPECT_EQ(display.moveGridSelectionBy(2, 1), 2);
  EXPECT_EQ(display.moveGridSelectionBy(1, 1), 2);
  EXPECT_EQ(listOfNames(Names{}).display().moveGridSelectionBy(kNoRow, 1), kNoRow);
}

}  // namespace
}  // namespace vantrel::names
