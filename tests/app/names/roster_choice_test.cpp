// The import preview's choices: defaults, fitting a choice to a file, one choice for several
// files, and choices remembered by a file's header.
#include <gtest/gtest.h>

#include "names_messages.h"
#include "roster_choice_memory.h"
#include "roster_table.h"

namespace vantrel::names {
namespace {

RosterChoice joined(NameJoin join, int first, int last, int note = kNoColumn) {
  RosterChoice choice;
  choice.join = join;
  choice.nameColumn = first;
  choice.lastNameColumn = last;
  choice.noteColumn = note;
  return choice;
}

TEST(RosterChoices, ColumnsOutsideTheFileFallBack) {
  const RosterTable table = RosterTable::fromBytes("A,B\n1,2\n");
  EXPECT_EQ(table.columnCount(), 2);
  EXPECT_EQ(table.fitted(joined(NameJoin::FirstLast, 1, 0, 1)),
            joined(NameJoin::FirstLast, 1, 0, 1));
  const RosterChoice fitted = table.fitted(joined(NameJoin::LastFirst, 5, 7, 9));
  EXPECT_EQ(fitted.join, NameJoin::OneColumn);
  EXPECT_EQ(fitted.nameColumn, 0);
  EXPECT_EQ(fitted.noteColumn, kNoColumn);
  EXPECT_EQ(RosterTable().defaultChoice().nameColumn, 0) << "an empty file still has a choice";
}

// Several files dropped at once: the preview shows the first, and its choice is applied to each
// file by column title, so files whose columns come in another order still get the right ones.
TEST(RosterChoices, OneChoiceForSeveralFilesFollowsTheColumnTitles) {
  const RosterTable shown = RosterTable::fromBytes("ID;First;Last;Remark\n1;Ann;Lee;x\n");
  const RosterTable other = RosterTable::fromBytes("last,first,remark,id\nNg,Bo,y,2\n");
  const RosterChoice choice = joined(NameJoin::FirstLast, 1, 2, 3);
  const RosterChoice adopted = other.adoptedFrom(choice, shown);
  EXPECT_EQ(adopted, joined(NameJoin::FirstLast, 1, 0, 2));
  EXPECT_EQ(other.roster(adopted).people.front().name, "Bo Ng");
  EXPECT_EQ(other.roster(adopted).people.front().note, "y");

  // Without a header the columns go by position.
  RosterChoice byPosition = choice;
  byPosition.firstRowIsHeader = false;
  EXPECT_EQ(other.adoptedFrom(byPosition, shown), byPosition);
}

TEST(RosterChoiceMemory, RecallsTheChoiceForTheSameHeaderIgnoringCaseAndSpaces) {
  const RosterTable week1 = RosterTable::fromBytes("Class;Last;First\n5b;Lee;Ann\n");
  const RosterTable week2 = RosterTable::fromBytes("class ; LAST;First\n5c;Ng;Bo\n");
  const RosterTable otherList = RosterTable::fromBytes("Name,Class\nCy,5b\n");
  RosterChoiceMemory memory;
  EXPECT_EQ(memory.choiceFor(week1), week1.defaultChoice());

  const RosterChoice choice = joined(NameJoin::LastFirst, 2, 1);
  memory.remember(week1, choice);
  EXPECT_EQ(memory.choiceFor(week2), choice);
  EXPECT_EQ(memory.choiceFor(otherList), otherList.defaultChoice());

  // Survives the settings, and an unticked header is remembered too.
  RosterChoice noHeader;
  noHeader.firstRowIsHeader = false;
  memory.remember(otherList, noHeader);
  const RosterChoiceMemory restored = RosterChoiceMemory::parse(memory.serialize());
  EXPECT_EQ(restored.choiceFor(week2), choice);
  EXPECT_EQ(restored.choiceFor(otherList), noHeader);
  EXPECT_EQ(restored.serialize(), memory.serialize());
}

TEST(RosterChoiceMemory, KeepsTheLatestChoicesAndSkipsDamagedLines) {
  RosterChoiceMemory memory;
  for (std::size_t i = 0; i <= RosterChoiceMemory::kMaxEntries; ++i) {
    const RosterTable table = RosterTable::fromBytes("H" + std::to_string(i) + ",X\na,b");
    memory.remember(table, joined(NameJoin::OneColumn, 1, 0));
  }
  const RosterTable oldest = RosterTable::fromBytes("H0,X\na,b");
  const RosterTable newest =
      RosterTable::fromBytes("H" + std::to_string(RosterChoiceMemory::kMaxEntries) + ",X\na,b");
  EXPECT_EQ(memory.choiceFor(oldest), oldest.defaultChoice());
  EXPECT_EQ(memory.choiceFor(newest).nameColumn, 1);

  // Damaged lines for the same header come first; only the sound one counts.
  const RosterChoiceMemory damaged = RosterChoiceMemory::parse(
      "garbage\n1,7,0,1,-1,h\x1fx\n1,1,x,1,-1,h\x1fx\n0,2,1,0,-1,h\x1fx\n");
  RosterChoice sound = joined(NameJoin::LastFirst, 1, 0);
  sound.firstRowIsHeader = false;
  EXPECT_EQ(damaged.choiceFor(RosterTable::fromBytes("h;x\nLee;Ann")), sound);
}

TEST(ImportPreviewTexts, SummaryAndResultOfAChoice) {
  const RosterTable table = RosterTable::fromBytes(
      "Nachname;Vorname;Klasse\nM\xFCller;J\xFCrgen;5b\nLee;Ann;5b\nNg;Bo;5c\nOh;Cy;5c\n");
  EXPECT_EQ(importPreviewSummary(table, 1),
            "Read as Windows-1252, separated by semicolons: 5 rows, 3 columns.");
  EXPECT_EQ(importPreviewSummary(table, 2),
            "Read as Windows-1252, separated by semicolons: 5 rows, 3 columns. The choice below "
            "applies to every file.");
  EXPECT_EQ(importPreviewResult(table, joined(NameJoin::FirstLast, 1, 0)),
            "4 names: Jürgen Müller, Ann Lee, Bo Ng, \u2026\nAlso kept: Nachname, Vorname, Klasse");
  RosterChoice headerless = joined(NameJoin::OneColumn, 0, 0, 1);
  headerless.firstRowIsHeader = false;
  EXPECT_EQ(importPreviewResult(RosterTable::fromBytes("Ann;x\n"), headerless),
            "1 name: Ann\nNo other columns.");
  EXPECT_EQ(importPreviewTitle({"class.csv"}), "Import \u201Cclass.csv\u201D");
  EXPECT_EQ(importPreviewTitle({"a.csv", "b.txt"}), "Import 2 files");
}

}  // namespace
}  // namespace vantrel::names
