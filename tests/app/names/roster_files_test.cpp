// Roster files as school offices hand them over: encodings, delimiters, line ends and quoted
// cells, read into names, notes and fields, and on into the grid store.
#include <gtest/gtest.h>

#include <fstream>

#include "csv_import.h"
#include "delimited_text.h"
#include "grid_format.h"
#include "grid_store.h"
#include "names_list.h"
#include "roster_encoding.h"
#include "roster_samples.h"
#include "roster_table.h"

namespace vantrel::names {
namespace {

using Names = std::vector<std::string>;
using Records = std::vector<Record>;
using roster_samples::utf16;

Names namesOf(const Roster& roster) {
  Names names;
  for (const auto& person : roster.people) names.push_back(person.name);
  return names;
}

std::string storeText(const Roster& roster) {
  NamesList list;
  list.importRoster(roster);
  return formatGrid(list.rows(), GridColumns::NameNoteCountMarker, list.fieldNames());
}

// --- Real-shaped files ---

TEST(RosterFiles, EuropeanSpreadsheetWindows1252WithSemicolonsAndAQuotedSemicolon) {
  const RosterTable table = RosterTable::fromBytes(roster_samples::kWindows1252Semicolons);
  EXPECT_EQ(table.encoding, RosterEncoding::Windows1252);
  EXPECT_EQ(table.delimiter, ';');

  const Roster byDefault = table.roster(table.defaultChoice());
  EXPECT_EQ(namesOf(byDefault), Names({"Müller", "Groß; Jr.", "Šurlan"}));
  EXPECT_EQ(byDefault.fieldNames, Names({"Vorname", "Klasse"}));
  EXPECT_EQ(byDefault.people[1].fields, Names({"Élodie", "5b"}));

  RosterChoice joined;
  joined.join = NameJoin::FirstLast;
  joined.nameColumn = 1;
  joined.lastNameColumn = 0;
  const Roster people = table.roster(joined);
  EXPECT_EQ(namesOf(people), Names({"Jürgen Müller", "Élodie Groß; Jr.", "Zoë Šurlan"}));
  EXPECT_EQ(people.fieldNames, Names({"Nachname", "Vorname", "Klasse"}))
      << "the columns the name was built from stay as fields";
  EXPECT_EQ(storeText(people),
            "File Name,Notes,Captured,Marker,Nachname,Vorname,Klasse\n"
            "Jürgen Müller,,0,,Müller,Jürgen,5b\n"
            "Élodie Groß; Jr.,,0,,Groß; Jr.,Élodie,5b\n"
            "Zoë Šurlan,,0,,Šurlan,Zoë,6a");
}

TEST(RosterFiles, Utf16UnicodeTextWithTabsWithOrWithoutByteOrderMark) {
  for (bool littleEndian : {true, false}) {
    for (bool bom : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "little endian " << littleEndian << ", BOM " << bom);
      const RosterTable table =
          RosterTable::fromBytes(utf16(roster_samples::kUnicodeText, littleEndian, bom));
      EXPECT_EQ(table.encoding, littleEndian ? RosterEncoding::Utf16LE : RosterEncoding::Utf16BE);
      EXPECT_EQ(table.delimiter, '\t');
      const Roster roster = table.roster(table.defaultChoice());
      EXPECT_EQ(namesOf(roster), Names({"Åsa Lind", "李雷"}));
      EXPECT_EQ(roster.fieldNames, Names({"ID", "Teacher"}));
      EXPECT_EQ(roster.people[0].fields, Names({"4711", "Mrs Łucka"}));
      EXPECT_EQ(roster.people[1].fields, Names({"4712", ""}));
    }
  }
}

TEST(RosterFiles, Utf8WithCarriageReturnLineEndsOnly) {
  const RosterTable table = RosterTable::fromBytes(roster_samples::kCarriageReturns);
  EXPECT_EQ(table.encoding, RosterEncoding::Utf8);
  const Roster roster = table.roster(table.defaultChoice());
  EXPECT_EQ(namesOf(roster), Names({"Ann Lee", "Bo Ng", "Cy"}));
  EXPECT_EQ(roster.people[2].fields, Names({"5"}));
}

TEST(RosterFiles, AQuotedMultiLineNoteIsOneCellWithSpaces) {
  const RosterTable table = RosterTable::fromBytes(roster_samples::kMultiLineNote);
  EXPECT_EQ(table.encoding, RosterEncoding::Utf8WithBom);
  const RosterChoice choice = table.defaultChoice();
  EXPECT_EQ(choice.noteColumn, 1) << "a column titled Notes is the note, as the export writes";
  const Roster roster = table.roster(choice);
  ASSERT_EQ(namesOf(roster), Names({"Ann", "Bo"}));
  EXPECT_EQ(roster.people[0].note, "glasses off retake \"blue\"");
  EXPECT_EQ(storeText(roster),
            "File Name,Notes,Captured,Marker,Class\n"
            "Ann,\"glasses off retake \"\"blue\"\"\",0,,5b\nBo,,0,,5b");
}

TEST(RosterFiles, FirstAndLastNameColumnsJoinedEitherWay) {
  const RosterTable table = RosterTable::fromBytes(roster_samples::kFirstLastColumns);
  RosterChoice choice;
  choice.join = NameJoin::FirstLast;
  choice.nameColumn = 2;
  choice.lastNameColumn = 1;
  EXPECT_EQ(namesOf(table.roster(choice)), Names({"Ann Lee", "Ng", "Cy"}))
      << "a row with neither part has no name and is left out";
  choice.join = NameJoin::LastFirst;
  const Roster roster = table.roster(choice);
  EXPECT_EQ(namesOf(roster), Names({"Lee, Ann", "Ng", "Cy"}));
  EXPECT_EQ(roster.fieldNames, Names({"ID", "Last", "First", "Class"}));
  EXPECT_EQ(roster.people[0].fields, Names({"1", "Lee", "Ann", "5b"})) << "fields are trimmed";
}

TEST(RosterFiles, OneColumnNamesStayExactlyAsWritten) {
  const RosterTable table = RosterTable::fromBytes("Name\n  Ann \n\"Lee, Bo\"\n");
  EXPECT_EQ(namesOf(table.roster(table.defaultChoice())), Names({"  Ann ", "Lee, Bo"}));
}

TEST(RosterFiles, WithoutAHeaderTheFirstRowIsAPersonAndColumnsAreNumbered) {
  const RosterTable table = RosterTable::fromBytes("Ann;5b;x\nBo;5c\n");
  RosterChoice choice = table.defaultChoice();
  choice.firstRowIsHeader = false;
  choice.noteColumn = 2;
  const Roster roster = table.roster(choice);
  EXPECT_EQ(namesOf(roster), Names({"Ann", "Bo"}));
  EXPECT_EQ(roster.fieldNames, Names({"Column 2"}));
  EXPECT_EQ(roster.people[0].note, "x");
  EXPECT_EQ(roster.people[1].note, "");
}

TEST(RosterFiles, RepeatedAndEmptyHeaderTitlesGiveDistinctFieldNames) {
  const RosterTable table = RosterTable::fromBytes("Name,Class,class, ,Notes\nAnn,a,b,c,d\n");
  const Roster roster = table.roster(table.defaultChoice());
  EXPECT_EQ(roster.fieldNames, Names({"Class", "class 2", "Column 4"}));
  EXPECT_EQ(roster.people[0].note, "d");
}

// An older version wrote names as it got them, bytes and all. Such a store must come back
// exactly, and be written back exactly.
TEST(RosterFiles, AnOlderFourCellStoreWithRawBytesLoadsUnchanged) {
  const std::string old =
      "File Name,Notes,Captured,Marker\nM\xFCller;J\xFCrgen;5b,,3,\nAnn,caf\xE9,0,1";
  const GridContents grid = parseGrid(old);
  EXPECT_TRUE(grid.fieldNames.empty());
  ASSERT_EQ(grid.rows.size(), 2u);
  EXPECT_EQ(grid.rows[0], Row({"M\xFCller;J\xFCrgen;5b", "", "3", ""}));
  EXPECT_EQ(grid.rows[1], Row({"Ann", "caf\xE9", "0", "1"}));
  NamesList list;
  list.replaceRows(grid.rows, grid.fieldNames);
  EXPECT_EQ(formatGrid(list.rows(), GridColumns::NameNoteCountMarker, list.fieldNames()), old);
}

// --- Encodings ---

TEST(RosterEncodingDetection, DecodesEveryShapeToValidUtf8) {
  EXPECT_EQ(decodeRosterBytes("Ann").encoding, RosterEncoding::Utf8);
  EXPECT_EQ(decodeRosterBytes("").text, "");
  // Windows-1252's own letters above 0x7F, not Latin-1's control codes.
  EXPECT_EQ(decodeRosterBytes("\x80 \x8C\x9C \x93x\x94 \xFF").text, "€ Œœ “x” ÿ");
  // A mark says UTF-8; a stray byte in it is still read as Windows-1252, not dropped.
  const DecodedRoster marked = decodeRosterBytes("\xEF\xBB\xBFZo\xC3\xAB & Zo\xEB");
  EXPECT_EQ(marked.encoding, RosterEncoding::Utf8WithBom);
  EXPECT_EQ(marked.text, "Zoë & Zoë");
  // NUL characters never reach a name.
  EXPECT_EQ(decodeRosterBytes(std::string("Ann Lee\0, Bo Ng", 15)).text, "Ann Lee, Bo Ng");
  EXPECT_EQ(decodeRosterBytes(utf16(std::u16string(u"A\0B", 3), true, true)).text, "AB");
}

TEST(RosterEncodingDetection, Utf16PairsLoneSurrogatesAndAnOddLastByte) {
  const std::u16string emoji = u"Ann \U0001F600";
  EXPECT_EQ(decodeRosterBytes(utf16(emoji, true, true)).text, "Ann \U0001F600");
  const std::u16string lone = {u'A', char16_t(0xD800), u'B'};
  EXPECT_EQ(decodeRosterBytes(utf16(lone, false, true)).text, "A\uFFFDB");
  EXPECT_EQ(decodeRosterBytes(utf16(u"Ab", true, true) + "x").text, "Ab");
}

TEST(RosterEncodingDetection, EightBitTextIsNotMistakenForUtf16) {
  // Plain text never has NULs; a file of digits and tabs is still UTF-8.
  EXPECT_EQ(decodeRosterBytes("1\t2\r\n3\t4").encoding, RosterEncoding::Utf8);
  const DecodedRoster unmarked = decodeRosterBytes(std::string("A\0B\0C\0", 6));
  EXPECT_EQ(unmarked.encoding, RosterEncoding::Utf16LE);
  EXPECT_EQ(unmarked.text, "ABC");
}

// --- Delimiters and records ---

TEST(DelimiterDetection, PicksTheDelimiterThatSplitsEveryLineAlike) {
  EXPECT_EQ(detectDelimiter("Name,Class\nAnn,5b\nBo,5c", TextSource::File), ',');
  EXPECT_EQ(detectDelimiter("Name;Class\nLee, Ann;5b\nNg, Bo;5c", TextSource::File), ';');
  EXPECT_EQ(detectDelimiter("Name\tNote\nLee, Ann\tx; y\n", TextSource::File), '\t');
  // Delimiters inside quotes do not count.
  EXPECT_EQ(detectDelimiter("Name;Class\n\"Lee, Ann\";5b\n\"Ng, Bo\";5c", TextSource::File), ';');
  // A program that leaves out trailing empty cells: most lines still split at semicolons.
  EXPECT_EQ(detectDelimiter("Name;Class;Teacher\nAnn;5b\nBo;5c;Ng\nCy", TextSource::File), ';');
  // Several split every line alike: the most cells win, and on a tie the comma.
  EXPECT_EQ(detectDelimiter("a;b;c,d\ne;f;g,h", TextSource::File), ';');
  EXPECT_EQ(detectDelimiter("a;b,c\nd;e,f", TextSource::File), ',');
  // What this program wrote names its delimiter, however many semicolons the names hold.
  EXPECT_EQ(detectDelimiter("File Name,Notes,A;B;C\nx;y;z;w,,1", TextSource::File), ',');
  EXPECT_EQ(detectDelimiter("File Name;Notes\nLee, Ann, Dr.;", TextSource::File), ';');
  // Comma when in doubt.
  EXPECT_EQ(detectDelimiter("Ann\nBo\nCy", TextSource::File), std::nullopt);
  EXPECT_EQ(RosterTable::fromBytes("Ann\nBo").delimiter, ',');
}

TEST(DelimiterDetection, PastedLastFirstNamesAreNotSplit) {
  EXPECT_EQ(detectDelimiter("Lee, Ann\nNg, Bo", TextSource::Pasted), std::nullopt);
  EXPECT_EQ(detectDelimiter("Lee, Ann\nNg, Bo", TextSource::File), ',');
  EXPECT_EQ(detectDelimiter("Ann,late\nBo,early", TextSource::Pasted), ',');
  EXPECT_EQ(detectDelimiter("Ann;late\nBo;early", TextSource::Pasted), ';');
}

TEST(DelimitedRecords, LineEndsQuotesAndBlankLines) {
  EXPECT_EQ(splitRecords("a,b\r\nc,d\re,f\n\n,\r\ng", ','),
            Records({{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g"}}));
  EXPECT_EQ(splitRecords("\"x\r\ny\",\"a,b\",\"q\"\"\"\nz", ','),
            Records({{"x y", "a,b", "q\""}, {"z"}}));
  EXPECT_EQ(splitRecords(" a ; b ", ';'), Records({{" a ", " b "}}));
}

// A stray quote (5" tall) must not swallow every later row into one cell.
TEST(DelimitedRecords, AStrayQuoteIsReadLineByLine) {
  EXPECT_EQ(splitRecords("Name,Note\nAnn,5\" tall\nBo,x\nCy,y", ','),
            Records({{"Name", "Note"}, {"Ann", "5 tall"}, {"Bo", "x"}, {"Cy", "y"}}));
  EXPECT_EQ(splitRecords("\"a\nb\",c\nd,\"e", ','), Records({{"a b", "c"}, {"d", "e"}}));
}

// --- Reading files ---

TEST(RosterFileReading, MissingFileAndDroppedFileTypes) {
  EXPECT_FALSE(readRosterFile("/nonexistent/roster.csv"));
  EXPECT_TRUE(readFirstColumnOfCsvFile("/nonexistent/roster.csv").empty());
  EXPECT_TRUE(isRosterFile("class.CSV"));
  EXPECT_TRUE(isRosterFile("list.Txt"));
  EXPECT_FALSE(isRosterFile("list.xlsx"));
  EXPECT_FALSE(isRosterFile("csv"));
}

}  // namespace
}  // namespace vantrel::names
