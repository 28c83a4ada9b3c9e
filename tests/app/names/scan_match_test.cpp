// Scan to select: the code a scanner types against names, notes and fields.
#include "scan_match.h"

#include <gtest/gtest.h>

#include "names_list.h"

namespace vantrel::names {
namespace {

NamesList rosterWithIds() {
  NamesList list;
  list.replaceRows({{"Ann Lee", "", "0", ""},
                    {"Bob Roe", "badge 77", "0", ""},
                    {"Émile Zola", "", "0", ""},
                    {"Cy Twin", "", "0", ""}});
  const std::size_t id = list.addField("Student ID");
  list.setFieldValue(0, id, " s1001 ");
  list.setFieldValue(1, id, "S1002");
  list.setFieldValue(3, id, "S1002");
  return list;
}

TEST(ScanMatch, ACodeFindsItsPersonByFieldNoteOrNameIgnoringCaseAndSpaces) {
  const NamesList list = rosterWithIds();
  EXPECT_EQ(rowsMatchingScan(list, "S1001"), std::vector<ModelRow>{0});
  EXPECT_EQ(rowsMatchingScan(list, "  BADGE 77\r\n"), std::vector<ModelRow>{1});
  EXPECT_EQ(rowsMatchingScan(list, "émile zola"), std::vector<ModelRow>{2});
  EXPECT_EQ(rowsMatchingScan(list, "ÉMILE ZOLA"), std::vector<ModelRow>{2});
}

TEST(ScanMatch, PartsNobodyAndSeveralAreNotOnePerson) {
  const NamesList list = rosterWithIds();
  EXPECT_TRUE(rowsMatchingScan(list, "S100").empty()) << "a part of a code is no match";
  EXPECT_TRUE(rowsMatchingScan(list, "Ann").empty());
  EXPECT_TRUE(rowsMatchingScan(list, "   ").empty());
  EXPECT_EQ(rowsMatchingScan(list, "s1002"), (std::vector<ModelRow>{1, 3}));
  EXPECT_EQ(scanNoMatchStatus(" X9 "), "No one in the list has \u201cX9\u201d.");
}

}  // namespace
}  // namespace vantrel::names
