// A person's fields: the API other parts of the application use, search, edits that carry them,
// the grid store that keeps them and the exports that write them back.
#include <gtest/gtest.h>

#include "grid_format.h"
#include "list_export.h"
#include "names_test_support.h"
#include "pasted_rows.h"
#include "roster_table.h"

namespace vantrel::names {
namespace {

using testing::allNames;
using testing::shownNames;
using Names = std::vector<std::string>;

NamesList classList() {
  NamesList list;
  const RosterTable table = RosterTable::fromBytes(
      "Name,ID,Class,Teacher\nAnn Lee,4711,5b,Mrs Ng\nBo Ng,4712,5c,Mr Oh\nCy,4713,5b,\n");
  list.importRoster(table.roster(table.defaultChoice()));
  list.applySearchFilter();
  return list;
}

TEST(Fields, ReadAndWrittenByNameIgnoringCase) {
  NamesList list = classList();
  EXPECT_EQ(list.fieldNames(), Names({"ID", "Class", "Teacher"}));
  EXPECT_EQ(list.fieldIndex("class"), 1u);
  EXPECT_EQ(list.fieldValue(0, " CLASS "), "5b");
  EXPECT_EQ(list.fieldValue(2, "Teacher"), "");
  EXPECT_EQ(list.fieldValue(0, "Grade"), "") << "unknown field";
  EXPECT_EQ(list.fieldValue(9, "ID"), "") << "row out of range";

  const auto revision = list.revision();
  EXPECT_FALSE(list.setFieldValue(0, "Grade", "5"));
  EXPECT_FALSE(list.setFieldValue(-1, "ID", "1"));
  EXPECT_EQ(list.revision(), revision);
  EXPECT_TRUE(list.setFieldValue(2, "teacher", "Ms\nPark"));
  EXPECT_EQ(list.fieldValue(2, "Teacher"), "Ms Park");
  EXPECT_GT(list.revision(), revision) << "a set value is a change to store";
}

TEST(Fields, AddedFieldsHoldValuesForRowsOfAnyLength) {
  NamesList list = testing::listOfNames(Names{"Ann", "Bo"});
  EXPECT_EQ(list.addField(" Portrait "), 0u);
  EXPECT_EQ(list.addField("PORTRAIT"), 0u) << "one field per name, whatever the case";
  EXPECT_EQ(list.addField("Student ID"), 1u);
  EXPECT_EQ(list.fieldNames(), Names({"Portrait", "Student ID"}));
  EXPECT_TRUE(list.setFieldValue(1, 1, "S-9"));
  EXPECT_EQ(list.rows()[1], Row({"Bo", "", "0", "", "", "S-9"}));
  EXPECT_EQ(list.capturedForModelRow(1), 0);
  EXPECT_EQ(formatGrid(list.rows(), GridColumns::NameNoteCountMarker, list.fieldNames()),
            "File Name,Notes,Captured,Marker,Portrait,Student ID\nAnn,,0,,,\nBo,,0,,,S-9");
}

TEST(Fields, TravelWithTheirRowWhenRowsMove) {
  NamesList list = classList();
  list.insertRowAbove(0);
  list.deleteRow(2);  // Bo Ng
  EXPECT_EQ(allNames(list), Names({"New name", "Ann Lee", "Cy"}));
  EXPECT_EQ(list.fieldValue(1, "ID"), "4711");
  EXPECT_EQ(list.fieldValue(2, "ID"), "4713");
  EXPECT_EQ(list.fieldValue(0, "ID"), "");
  EXPECT_EQ(list.reorderByDrop(2, 0), ReorderOutcome::Moved);
  EXPECT_EQ(list.fieldValue(0, "ID"), "4713");
}

TEST(Fields, SearchMatchesAFieldButNotAcrossTwo) {
  NamesList list = classList();
  list.setSearchText("4712");
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Bo Ng"}));
  list.setSearchText("5B");
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Ann Lee", "Cy"}));
  list.setSearchText("4711 5b");
  list.applySearchFilter();
  EXPECT_TRUE(shownNames(list).empty());
  // A field set later is found at once.
  list.setFieldValue(2, "Teacher", "Ms Park");
  list.setSearchText("park");
  list.applySearchFilter();
  EXPECT_EQ(shownNames(list), Names({"Cy"}));
}

TEST(Fields, AddedRostersMergeFieldsByNameAndReplacingStartsAfresh) {
  NamesList list = classList();
  const RosterTable more = RosterTable::fromBytes("Name;Room;class\nDee;12;6a\n");
  list.appendRoster(more.roster(more.defaultChoice()));
  EXPECT_EQ(list.fieldNames(), Names({"ID", "Class", "Teacher", "Room"}));
  EXPECT_EQ(list.fieldValue(3, "Class"), "6a");
  EXPECT_EQ(list.fieldValue(3, "Room"), "12");
  EXPECT_EQ(list.fieldValue(0, "Room"), "");

  list.importDroppedRosters({more.roster(more.defaultChoice())}, DropChoice::Replace);
  EXPECT_EQ(list.fieldNames(), Names({"Room", "class"}));
  list.reset();
  EXPECT_TRUE(list.fieldNames().empty());
}

TEST(FieldsInTheStore, RoundTripAndAListWithoutFieldsStaysAsBefore) {
  NamesList list = classList();
  list.addField("Note, \"quoted\"");
  list.setFieldValue(1, 3, "a,b");
  list.setMarkerForModelRow(0, true);
  const std::string text =
      formatGrid(list.rows(), GridColumns::NameNoteCountMarker, list.fieldNames());
  EXPECT_EQ(text,
            "File Name,Notes,Captured,Marker,ID,Class,Teacher,\"Note, \"\"quoted\"\"\"\n"
            "Ann Lee,,0,1,4711,5b,Mrs Ng,\nBo Ng,,0,,4712,5c,Mr Oh,\"a,b\"\nCy,,0,,4713,5b,,");
  const GridContents grid = parseGrid(text);
  EXPECT_EQ(grid.fieldNames, list.fieldNames());
  NamesList restored;
  restored.replaceRows(grid.rows, grid.fieldNames);
  EXPECT_EQ(restored.fieldValue(1, "note, \"quoted\""), "a,b");
  EXPECT_EQ(formatGrid(restored.rows(), GridColumns::NameNoteCountMarker, restored.fieldNames()),
            text);

  // A reader that knows four cells reads the same people.
  for (const Row& row : grid.rows) EXPECT_EQ(row.size(), 8u);

  const std::vector<Row> plain = {{"Ann", "x", "2", "1"}};
  EXPECT_EQ(formatGrid(plain, GridColumns::NameNoteCountMarker),
            "File Name,Notes,Captured,Marker\nAnn,x,2,1");
}

TEST(FieldsInTheStore, OnlyTheStoreHeaderNamesFields) {
  const GridContents foreign = parseGrid("Name,Notes,Count,Flag,Class\nAnn,,1,,5b");
  EXPECT_TRUE(foreign.fieldNames.empty());
  EXPECT_EQ(foreign.rows.front(), Row({"Ann", "", "1", ""}));
  const GridContents crlf = parseGrid("File Name,Notes,Captured,Marker,Class\r\nAnn,,,,5b\r\nBo");
  EXPECT_EQ(crlf.fieldNames, Names({"Class"}));
  EXPECT_EQ(crlf.rows, std::vector<Row>({{"Ann", "", "0", "", "5b"}, {"Bo", "", "0", "", ""}}));
}

TEST(Export, PlainAndForSpreadsheets) {
  NamesList list = classList();
  list.setNote(0, "late; blue, tie");
  EXPECT_EQ(exportText(list, ExportFormat::Plain),
            "File Name,Notes,ID,Class,Teacher\nAnn Lee,\"late; blue, tie\",4711,5b,Mrs Ng\n"
            "Bo Ng,,4712,5c,Mr Oh\nCy,,4713,5b,");
  EXPECT_EQ(exportText(list, ExportFormat::Utf8Bom),
            "\xEF\xBB\xBF" + exportText(list, ExportFormat::Plain));
  EXPECT_EQ(exportText(list, ExportFormat::Utf8BomSemicolons),
            "\xEF\xBB\xBF"
            "File Name;Notes;ID;Class;Teacher\nAnn Lee;\"late; blue, tie\";4711;5b;Mrs Ng\n"
            "Bo Ng;;4712;5c;Mr Oh\nCy;;4713;5b;");

  // Each export reads back into the same names, notes and fields.
  for (ExportFormat format :
       {ExportFormat::Plain, ExportFormat::Utf8Bom, ExportFormat::Utf8BomSemicolons}) {
    const RosterTable table = RosterTable::fromBytes(exportText(list, format));
    NamesList again;
    again.importRoster(table.roster(table.defaultChoice()));
    EXPECT_EQ(allNames(again), allNames(list));
    EXPECT_EQ(again.noteForModelRow(0), "late; blue, tie");
    EXPECT_EQ(again.fieldNames(), list.fieldNames());
    EXPECT_EQ(again.fieldValue(1, "Teacher"), "Mr Oh");
  }
}

TEST(PastedText, TakesTheDelimiterTheLinesAgreeOn) {
  auto names = [](std::string_view text) {
    Names result;
    for (const auto& row : parsePastedRows(text)) result.push_back(row.name + "|" + row.note);
    return result;
  };
  EXPECT_EQ(names("Lee, Ann\nNg, Bo"), Names({"Lee, Ann|", "Ng, Bo|"}));
  EXPECT_EQ(names("Ann;late\r\nBo;\"early; 8\""), Names({"Ann|late", "Bo|early; 8"}));
  EXPECT_EQ(names("Ann,late\nBo,early"), Names({"Ann|late", "Bo|early"}));
  EXPECT_EQ(names("Dwayne \"Rock\" J\tx"), Names({"Dwayne \"Rock\" J|x"}));
}

}  // namespace
}  // namespace vantrel::names
