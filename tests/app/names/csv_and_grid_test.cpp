// The CSV dialect, the grid text format and reading a roster's first column.
#include <gtest/gtest.h>

#include "csv_import.h"
#include "csv_line.h"
#include "grid_format.h"

namespace vantrel::names {
namespace {

using Cells = std::vector<std::string>;

TEST(CsvLine, QuotedCellsRoundTrip) {
  const Cells values = {"Lee, Ann", "said \"hi\"", "", "plain", "\"", ","};
  std::string line;
  for (const auto& value : values) line += (line.empty() ? "" : ",") + csv_escape_cell(value);
  EXPECT_EQ(parse_csv_line(line), values);
  EXPECT_EQ(csv_escape_cell("said \"hi\""), "\"said \"\"hi\"\"\"");
  EXPECT_EQ(csv_escape_cell("two\nlines"), "\"two\nlines\"");
}

TEST(CsvLine, ParsesEdgesOfTheDialect) {
  EXPECT_EQ(parse_csv_line(""), Cells({""}));
  EXPECT_EQ(parse_csv_line("a,"), Cells({"a", ""}));
  EXPECT_EQ(parse_csv_line(" a , b "), Cells({" a ", " b "}));
  EXPECT_EQ(parse_csv_line("ab\"c,d\"e"), Cells({"abc,de"}));
  EXPECT_EQ(parse_csv_line("\"open,never closed"), Cells({"open,never closed"}));
}

TEST(GridFormat, EmptyListIsTheBareHeader) {
  EXPECT_EQ(formatGrid({}, GridColumns::NameNoteCountMarker), "File Name,Notes,Captured,Marker");
  EXPECT_EQ(formatGrid({}, GridColumns::NameAndNote), "File Name,Notes");
}

TEST(GridFormat, WritesLfBeforeEachRowAndFillsMissingCells) {
  const std::vector<Row> rows = {{"Ann"}, {"Lee, Bo", "x", "3", "1", "extra"}, {"Cy", "", ""}};
  EXPECT_EQ(formatGrid(rows, GridColumns::NameNoteCountMarker),
            "File Name,Notes,Captured,Marker\nAnn,,0,\n\"Lee, Bo\",x,3,1\nCy,,,");
  EXPECT_EQ(formatGrid(rows, GridColumns::NameAndNote),
            "File Name,Notes\nAnn,\n\"Lee, Bo\",x\nCy,");
}

TEST(GridFormat, ReadsRowsPaddedToFourCells) {
  const auto rows =
      parseGrid("header\nAnn\nAnn,,,1,extra\n\n,orphan note\r\nBo,\"a \"\"b\"\"\",12abc,\r\n").rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], Row({"Ann", "", "0", ""}));
  EXPECT_EQ(rows[1], Row({"Ann", "", "0", "1"}));
  EXPECT_EQ(rows[2], Row({"Bo", "a \"b\"", "12abc", ""}));
}

TEST(GridFormat, FirstLineIsAlwaysSkipped) {
  EXPECT_TRUE(parseGrid("Ann,,1,").rows.empty());
  EXPECT_EQ(parseGrid("Ann,,1,\nBob,,2,").rows.size(), 1u);
}

TEST(CsvImport, TakesTheFirstColumnAfterTheHeader) {
  const std::string text =
      "\xEF\xBB\xBFName,Class\r\n\"Lee, Ann\",3b\r\n,no name\r\n\r\n  Bo,4\r\nCy";
  EXPECT_EQ(firstColumnOfCsv(text), Cells({"Lee, Ann", "  Bo", "Cy"}));
  EXPECT_TRUE(firstColumnOfCsv("Name only header\n").empty());
}

}  // namespace
}  // namespace vantrel::names
