// Cell reading, entered-text clean-up, pasted text and the fallback case folding.
#include <gtest/gtest.h>

#include "entered_text.h"
#include "pasted_rows.h"
#include "row_cells.h"
#include "text_folding.h"

namespace vantrel::names {
namespace {

TEST(CountCell, ReadsLikeAtol) {
  EXPECT_EQ(countFromCell("12abc"), 12);
  EXPECT_EQ(countFromCell("abc"), 0);
  EXPECT_EQ(countFromCell(""), 0);
  EXPECT_EQ(countFromCell("  \t+7"), 7);
  EXPECT_EQ(countFromCell("-4"), -4);
  EXPECT_EQ(countFromCell("1 2"), 1);
  EXPECT_EQ(countFromCell("99999999999999999999999"), INT64_MAX);
}

TEST(EnteredText, TrimsAsciiAndUnicodeSpaceButNotInnerSpace) {
  EXPECT_EQ(trimWhitespace("  Ann  Lee \t\r\n"), "Ann  Lee");
  EXPECT_EQ(trimWhitespace("\u00A0\u3000Ann\u2028"), "Ann");
  EXPECT_EQ(trimWhitespace(" \u00A0 "), "");
  // A multi-byte letter whose last byte looks like part of a space must stay.
  EXPECT_EQ(trimWhitespace("\u20A0"), "\u20A0");
}

TEST(PastedText, AnyLineBreakSplitsAndCellsAreTrimmed) {
  const auto rows =
      parsePastedRows("  Ann \t  first \tignored\r\nBob\rCid\u2028Dee\r\n\t note only");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].name, "Ann");
  EXPECT_EQ(rows[0].note, "first");
  EXPECT_EQ(rows[1].name, "Bob");
  EXPECT_EQ(rows[2].name, "Cid");
  EXPECT_EQ(rows[3].name, "Dee");
}

TEST(FallbackFolding, LowersCommonScriptsAndKeepsInvalidBytes) {
  EXPECT_EQ(utf8FallbackLower("ÉLODIE Ørsted ŁUKASZ ΣΟΦΊΑ АННА"),
            "élodie ørsted łukasz σοφία анна");
  EXPECT_EQ(utf8FallbackLower("A\xFF"
                              "B\xC3"),
            "a\xFF"
            "b\xC3");
  EXPECT_EQ(utf8FallbackLower("×ß"), "×ß");
}

TEST(FallbackFolding, ComparesIgnoringCase) {
  EXPECT_EQ(utf8FallbackCompare("Alice", "alice"), 0);
  EXPECT_LT(utf8FallbackCompare("alice", "Bob"), 0);
  EXPECT_EQ(utf8FallbackCompare("Émile", "émile"), 0);
}

}  // namespace
}  // namespace vantrel::names
