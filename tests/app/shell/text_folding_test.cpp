// The names list's case folding and order as the application does them, through Qt: accented
// names in any script, and names holding bytes that are not UTF-8 (rosters from old systems).
#include <gtest/gtest.h>

#include "names_list.h"
#include "qt_text_folding.h"

namespace {

TEST(NamesTextFolding, AccentedNamesFoldInEveryScript) {
  const auto folding = namesTextFolding();
  EXPECT_EQ(folding.lower("ÉLODIE Ñúñez"), "élodie ñúñez");
  EXPECT_EQ(folding.lower("ŁUKASZ ŻAK"), "łukasz żak");
  EXPECT_EQ(folding.lower("ДМИТРИЙ"), "дмитрий");
  EXPECT_EQ(folding.compare("élodie", "ÉLODIE"), 0);
  EXPECT_LT(folding.compare("Room 9", "room 10"), 0);
  EXPECT_GT(folding.compare("room 10", "Room 9"), 0);
}

TEST(NamesTextFolding, BytesThatAreNotUtf8AreKeptAndKeepNamesApart) {
  const auto folding = namesTextFolding();
  // Latin-1 "MÜLLER" and "MÖLLER": one byte each that is not UTF-8.
  EXPECT_EQ(folding.lower("M\xfcLLER"), "m\xfcller");
  EXPECT_EQ(folding.lower("\xc9LODIE \xff"), "\xc9lodie \xff");
  EXPECT_NE(folding.lower("M\xfcller"), folding.lower("M\xf6ller"));
  const int order = folding.compare("M\xfcller", "M\xf6ller");
  EXPECT_NE(order, 0);
  EXPECT_EQ(folding.compare("M\xf6ller", "M\xfcller") < 0, order > 0);
  EXPECT_EQ(folding.compare("M\xfcLLER", "m\xfcller"), 0);

  // So the list marks real duplicates only, and a search finds the one name typed.
  vantrel::names::NamesList list(folding);
  list.appendFirstColumn({"M\xfcller", "M\xf6ller", "Ann", "ANN"});
  EXPECT_FALSE(list.hasDuplicateName(0));
  EXPECT_FALSE(list.hasDuplicateName(1));
  EXPECT_TRUE(list.hasDuplicateName(2));
  list.setSearchText("m\xfc");
  list.applySearchFilter();
  ASSERT_EQ(list.display().displayRowCount(), 1);
  EXPECT_EQ(list.modelRowForDisplayRow(0), 0);
}

}  // namespace
