// Names an import would put into the list twice, and making them unique.
#include <gtest/gtest.h>

#include "name_clashes.h"
#include "names_messages.h"
#include "names_test_support.h"
#include "roster_table.h"

namespace vantrel::names {
namespace {

using testing::allNames;
using Names = std::vector<std::string>;
using Rows = std::vector<ModelRow>;

// The filing rules' shape, enough for these tests: "/" and ":" become "-", ends are trimmed.
std::string folderOf(std::string_view name) {
  std::string folder(name);
  for (char& c : folder)
    if (c == '/' || c == ':') c = '-';
  while (!folder.empty() && folder.back() == ' ') folder.pop_back();
  while (!folder.empty() && folder.front() == ' ') folder.erase(folder.begin());
  return folder;
}

// A list that had `before` names, with `imported` (name, class, ID) added from a file.
NamesList importedInto(const Names& before, const std::string& imported) {
  NamesList list = testing::listOfNames(before);
  const RosterTable table = RosterTable::fromBytes("Name,Class,ID\n" + imported);
  list.appendRoster(table.roster(table.defaultChoice()));
  return list;
}

TEST(NameClashes, SameIgnoringCaseOrSameFolderInvolvingAnImportedName) {
  const NamesList list = importedInto({"Ann Lee", "A/B", "Old", "old"},
                                      "ANN LEE,5b,1\nA:B,5b,2\nCy,5c,3\nCy ,5c,4\n,5c,5\n");
  const auto clashes = findNameClashes(list, 4, folderOf);
  ASSERT_EQ(clashes.size(), 3u) << "Old and old were there before: not the import's doing";
  EXPECT_EQ(clashes[0].rows, Rows({0, 4}));
  EXPECT_TRUE(clashes[0].sameIgnoringCase);
  EXPECT_EQ(clashes[1].rows, Rows({1, 5}));
  EXPECT_FALSE(clashes[1].sameIgnoringCase);
  EXPECT_EQ(clashes[1].folder, "A-B");
  EXPECT_EQ(clashes[2].rows, Rows({6, 7}));
  EXPECT_EQ(clashes[2].folder, "Cy");

  EXPECT_TRUE(findNameClashes(importedInto({"Ann"}, "Bo,5b,1\n"), 1, folderOf).empty());
}

TEST(NameClashes, ChainsOfLikeNamesAreOneGroup) {
  // "ann " shares a folder with "ann" and is Ann's name ignoring case through it.
  const NamesList list = importedInto({}, "Ann,5b,1\nann,5b,2\nann ,5c,3\n");
  const auto clashes = findNameClashes(list, 0, folderOf);
  ASSERT_EQ(clashes.size(), 1u);
  EXPECT_EQ(clashes[0].rows, Rows({0, 1, 2}));
  EXPECT_FALSE(clashes[0].sameIgnoringCase);
}

TEST(MakeUnique, AppendsTheFieldThatTellsThemApartPreferringTheClassOverAnId) {
  NamesList list = importedInto({}, "Ann Lee,5b,101\nAnn Lee,5c,102\nBo,5b,103\nCy,5c,104\n");
  const auto clashes = findNameClashes(list, 0, folderOf);
  EXPECT_EQ(makeNamesUnique(list, clashes, 0, folderOf), 2);
  EXPECT_EQ(allNames(list), Names({"Ann Lee 5b", "Ann Lee 5c", "Bo", "Cy"}));
  EXPECT_TRUE(findNameClashes(list, 0, folderOf).empty());
}

TEST(MakeUnique, NamesThatWereThereBeforeKeepTheirNamesAndFolders) {
  // Ann Lee was photographed before the second file was dropped: her folder must stay hers.
  NamesList list = importedInto({"Ann Lee"}, "ann lee,5b,101\n");
  list.setCapturedForModelRow(0, 4);
  EXPECT_EQ(makeNamesUnique(list, findNameClashes(list, 1, folderOf), 1, folderOf), 1);
  EXPECT_EQ(allNames(list), Names({"Ann Lee", "ann lee 5b"}));
}

TEST(MakeUnique, NumbersWhenNoFieldTellsThemApartAndAvoidsNamesInUse) {
  // Same class for both, and no ID: no field helps. "Ann 2" is taken already.
  NamesList list = testing::listOfNames(Names{"Ann 2"});
  const RosterTable table = RosterTable::fromBytes("Name,Class\nAnn,5b\nANN,5b\nann,\n");
  list.appendRoster(table.roster(table.defaultChoice()));
  EXPECT_EQ(makeNamesUnique(list, findNameClashes(list, 1, folderOf), 1, folderOf), 2);
  EXPECT_EQ(allNames(list), Names({"Ann 2", "Ann", "ANN 3", "ann 4"}));
}

TEST(NameClashesText, ListsBothKindsWithTheSharedFolder) {
  const NamesList list = importedInto({"Ann Lee"}, "ann lee,5b,1\nA/B,5b,2\nA:B,5b,3\n");
  const AlertText alert = nameClashesQuestion(list, findNameClashes(list, 1, folderOf));
  EXPECT_EQ(alert.title, "Duplicate Names");
  EXPECT_EQ(alert.buttons, Names({"Keep", "Make Unique"}));
  EXPECT_EQ(alert.message,
            "These names are the same when letter case is ignored:\n"
            "\u2022 \u201CAnn Lee\u201D, \u201Cann lee\u201D\n\n"
            "These names would share one photo folder:\n"
            "\u2022 \u201CA/B\u201D, \u201CA:B\u201D \u2192 folder \u201CA-B\u201D\n\n"
            "Make Unique adds a column that tells them apart, such as the class (or else a "
            "number), to the imported names. Names that were in the list before stay as they "
            "are.");
}

}  // namespace
}  // namespace vantrel::names
