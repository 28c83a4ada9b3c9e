// Row accessors, duplicate names and every edit of the list.
#include <gtest/gtest.h>

#include "names_test_support.h"

namespace vantrel::names {
namespace {

using testing::allNames;
using testing::listOfNames;
using testing::makeList;
using testing::shownNames;
using Names = std::vector<std::string>;

TEST(RowAccessors, PadShortRowsAndIgnoreRowsOutOfRange) {
  auto list = listOfNames(Names{"Ann"});
  EXPECT_EQ(list.capturedForModelRow(0), 0);
  EXPECT_FALSE(list.markerForModelRow(0));

  list.setCapturedForModelRow(0, -3);
  EXPECT_EQ(list.rows()[0], Row({"Ann", "", "0"}));
  list.setMarkerForModelRow(0, true);
  EXPECT_EQ(list.rows()[0], Row({"Ann", "", "0", "1"}));
  list.addCaptureToModelRow(0);
  EXPECT_EQ(list.capturedForModelRow(0), 1);

  const auto revision = list.revision();
  list.setCapturedForModelRow(1, 5);
  list.setMarkerForModelRow(-1, true);
  list.addCaptureToModelRow(7);
  EXPECT_EQ(list.capturedForModelRow(-1), 0);
  EXPECT_EQ(list.revision(), revision);
}

TEST(RowAccessors, MarkerOnlyForExactlyOne) {
  NamesList list;
  list.replaceRows({{"A", "", "0", "1"}, {"B", "", "0", " 1"}, {"C", "", "0", "true"}});
  EXPECT_TRUE(list.markerForModelRow(0));
  EXPECT_FALSE(list.markerForModelRow(1));
  EXPECT_FALSE(list.markerForModelRow(2));
  list.toggleMarkerForModelRow(1);
  EXPECT_EQ(list.rows()[1][kMarkerCell], "1");
}

TEST(DuplicateNames, IgnoreCaseButNotSpacesOrEmptyNames) {
  auto list = listOfNames(Names{"Ann", "ann", "Ann ", "Bo", "", ""});
  EXPECT_EQ(list.duplicateNameSet(), std::unordered_set<std::string>({"ann"}));
  EXPECT_TRUE(list.hasDuplicateName(1));
  EXPECT_FALSE(list.hasDuplicateName(2));
  EXPECT_FALSE(list.hasDuplicateName(4));

  list.setNameFromEdit(1, "Anna");
  EXPECT_TRUE(list.duplicateNameSet().empty());
}

TEST(Paste, AddsNamedLinesAndSelectsTheFirst) {
  auto list = listOfNames(Names{"Zed"});
  list.setSearchText("zed");
  EXPECT_EQ(list.pasteText("Ann\n\nBob\tlate"), 2);
  EXPECT_EQ(list.rows()[2], Row({"Bob", "late"}));
  EXPECT_EQ(list.selectedRow(), 1);
  EXPECT_EQ(list.display().searchText(), "");
  EXPECT_EQ(shownNames(list), Names({"Zed", "Ann", "Bob"}));

  EXPECT_EQ(list.pasteText("Cy\r\nDi\r\n"), 2);
  EXPECT_EQ(allNames(list), Names({"Zed", "Ann", "Bob", "Cy", "Di"}));

  const auto revision = list.revision();
  EXPECT_EQ(list.pasteText(" \n\t note\n"), 0);
  EXPECT_EQ(list.revision(), revision);
}

TEST(AddFromSearch, StoresTrimmedTextAndKeepsTheSearch) {
  auto list = listOfNames(Names{"Bo", "Anna"});
  list.setSearchText("  Ann  ");
  EXPECT_EQ(list.addSearchTextAsRow(), 2);
  EXPECT_EQ(list.nameForModelRow(2), "Ann");
  EXPECT_EQ(list.selectedRow(), 2);
  EXPECT_EQ(shownNames(list), Names({"Anna", "Ann"}));

  list.setSearchText(" \t");
  EXPECT_EQ(list.addSearchTextAsRow(), kNoRow);
  EXPECT_EQ(list.rowCount(), 3);
}

TEST(EnteredLineBreaks, BecomeSpacesWhereverTextEntersTheList) {
  auto list = listOfNames(Names{"Ann"});
  list.setNote(0, "line one\r\nline two");
  EXPECT_EQ(list.noteForModelRow(0), "line one  line two");
  list.setNameFromEdit(0, "Ann\nLee");
  EXPECT_EQ(list.nameForModelRow(0), "Ann Lee");
  list.importFirstColumn({"Bo\rCy"});
  EXPECT_EQ(list.nameForModelRow(0), "Bo Cy");
  list.appendFirstColumn({"Di\nEd"});
  EXPECT_EQ(list.nameForModelRow(1), "Di Ed");
  list.setSearchText("Fay\nGus");
  list.addSearchTextAsRow();
  EXPECT_EQ(list.nameForModelRow(2), "Fay Gus");
}

TEST(InsertAndDelete, SettleTheCurrentPerson) {
  auto list = listOfNames(Names{"Ann", "Bo", "Cy"});
  list.setSearchText("ann");
  EXPECT_EQ(list.insertRowBelow(kNoRow), 3);
  EXPECT_EQ(list.rows()[3], Row({"New name", "", "0"}));
  EXPECT_EQ(list.selectedRow(), 3);
  EXPECT_EQ(list.display().searchText(), "");
  EXPECT_EQ(list.insertRowAbove(kNoRow), 0);
  EXPECT_EQ(list.insertRowAbove(1), 1);
  EXPECT_EQ(list.insertRowBelow(5), 6);
  EXPECT_EQ(list.insertRowBelow(7), kNoRow);

  auto three = listOfNames(Names{"Ann", "Bo", "Cy"});
  EXPECT_TRUE(three.deleteRow(2));
  EXPECT_EQ(three.selectedRow(), 1);
  EXPECT_TRUE(three.deleteRow(0));
  EXPECT_EQ(three.selectedRow(), 0);
  EXPECT_EQ(allNames(three), Names({"Bo"}));
  EXPECT_TRUE(three.deleteRow(0));
  EXPECT_EQ(three.selectedRow(), kNoRow);
  EXPECT_TRUE(three.display().displayRows().empty());
  EXPECT_FALSE(three.deleteRow(0));
}

TEST(DragReorder, MovesBetweenRowsAndIgnoresItsOwnPlace) {
  auto list = listOfNames(Names{"A", "B", "C", "D", "E", "F", "G"});
  // The second row dropped between the fifth and the sixth.
  EXPECT_EQ(list.reorderByDrop(1, 5), ReorderOutcome::Moved);
  EXPECT_EQ(allNames(list), Names({"A", "C", "D", "E", "B", "F", "G"}));
  EXPECT_EQ(list.selectedRow(), 4);

  const auto revision = list.revision();
  EXPECT_EQ(list.reorderByDrop(4, 5), ReorderOutcome::Unchanged);
  EXPECT_EQ(list.reorderByDrop(4, 4), ReorderOutcome::Unchanged);
  EXPECT_EQ(list.revision(), revision);

  EXPECT_EQ(list.reorderByDrop(6, 0), ReorderOutcome::Moved);
  EXPECT_EQ(allNames(list), Names({"G", "A", "C", "D", "E", "B", "F"}));
  EXPECT_EQ(list.reorderByDrop(0, 99), ReorderOutcome::Moved);
  EXPECT_EQ(allNames(list), Names({"A", "C", "D", "E", "B", "F", "G"}));
  EXPECT_EQ(list.reorderByDrop(7, 0), ReorderOutcome::Refused);
}

TEST(DragReorder, NotAllowedWhileSearchingButDropOntoRowStillWorks) {
  auto list = listOfNames(Names{"Ann", "Bo", "Cy"});
  list.setSearchText("o");
  list.applySearchFilter();
  EXPECT_EQ(list.reorderByDrop(0, 3), ReorderOutcome::NotAllowed);
  EXPECT_EQ(allNames(list), Names({"Ann", "Bo", "Cy"}));
  EXPECT_TRUE(list.canDropRowOnto(0, 1));
  EXPECT_FALSE(list.canDropRowOnto(1, 1));
  EXPECT_FALSE(list.canDropRowOnto(0, 3));
}

TEST(Editing, NamesAndNotes) {
  auto list = listOfNames(Names{"Ann"});
  EXPECT_FALSE(list.setNameFromEdit(0, "   "));
  EXPECT_EQ(list.nameForModelRow(0), "Ann");
  EXPECT_TRUE(list.setNameFromEdit(0, "  Ann"));
  EXPECT_EQ(list.nameForModelRow(0), "  Ann");

  list.setNote(0, " typed ");
  EXPECT_EQ(list.noteForModelRow(0), " typed ");
  list.saveNoteFromDialog(0, "  from dialog\t");
  EXPECT_EQ(list.noteForModelRow(0), "from dialog");
  EXPECT_EQ(list.copyTextForModelRow(0), "  Ann\tfrom dialog");
  EXPECT_EQ(list.copyTextForModelRow(1), std::nullopt);
}

TEST(DroppedFiles, AddOrReplace) {
  auto list = listOfNames(Names{"Ann", "Bo", "Cy"});
  auto added = list.importDroppedNames({{"Di"}, {"Ed", "Fay"}}, DropChoice::Add);
  EXPECT_EQ(added.added, 3);
  EXPECT_EQ(allNames(list), Names({"Ann", "Bo", "Cy", "Di", "Ed", "Fay"}));
  EXPECT_EQ(list.selectedRow(), 3);

  const auto revision = list.revision();
  EXPECT_FALSE(list.importDroppedNames({{}}, DropChoice::Add).changed());
  EXPECT_EQ(list.revision(), revision);
  EXPECT_EQ(list.selectedRow(), 3);

  auto replaced = list.importDroppedNames({{}}, DropChoice::Replace);
  EXPECT_TRUE(replaced.changed());
  EXPECT_EQ(replaced.added, 0);
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.selectedRow(), kNoRow);
}

TEST(WholeList, ImportAndResetClearTheViewButResetKeepsTheSort) {
  auto list = listOfNames(Names{"Ann"});
  list.setSearchText("a");
  list.cycleCaptureFilter();
  list.cycleSortMode();
  list.setSelectedRow(0);
  list.reset();
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.selectedRow(), kNoRow);
  EXPECT_EQ(list.display().searchText(), "");
  EXPECT_EQ(list.display().captureFilter(), CaptureFilter::All);
  EXPECT_EQ(list.display().sortMode(), SortMode::Ascending);

  list.setSearchText("zz");
  EXPECT_EQ(list.importFirstColumn({"Bo", "Cy"}), 2);
  EXPECT_EQ(list.display().searchText(), "");
  EXPECT_EQ(list.selectSavedOrFirst(5), 0);
  EXPECT_EQ(list.selectSavedOrFirst(1), 1);
}

TEST(SelectionTotals, SumPhotosOfSelectedRows) {
  auto list = makeList({{"Ann", "", "2"}, {"Bo", "", "1"}, {"Cy", "", "x"}});
  const auto totals = list.selectionTotals({0, 1, 2, 9});
  EXPECT_EQ(totals.rows, 3);
  EXPECT_EQ(totals.photos, 3);
}

}  // namespace
}  // namespace vantrel::names
