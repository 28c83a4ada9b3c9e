// Suffix tags: the folder suffix they add, what survives loading, and the edit dialog's rule.
#include <gtest/gtest.h>

#include "filing_messages.h"
#include "suffix_tags.h"

namespace vantrel::filing {
namespace {

std::vector<std::string> labels(const SuffixTags& tags) {
  std::vector<std::string> result;
  for (const auto& tag : tags.tags()) result.push_back(tag.label + (tag.on ? "+" : ""));
  return result;
}

TEST(SuffixTags, EnabledTagsAppendTheirSuffixesInTagOrder) {
  SuffixTags tags({{"FR", "_FR", true}, {"B", "-B", false}, {"SS", "_SS", true}});
  EXPECT_EQ(tags.enabledSuffixString(), "_FR_SS");
  EXPECT_EQ(suffixToggledStatus(tags.enabledSuffixString()),
            "Suffix active: photos save to folders tagged \"_FR_SS\" (see Next: in the info "
            "line).");
  tags.turnAllOff();
  EXPECT_FALSE(tags.setOn(3, true));
  EXPECT_EQ(suffixToggledStatus(tags.enabledSuffixString()),
            "No suffix active: photos save to plain name folders.");
}

TEST(SuffixTags, LoadingSkipsMalformedElementsAndKeepsTheFirstFive) {
  std::vector<StoredSuffixTag> stored = {{false, "NotARecord", "_N", true},
                                         {true, std::nullopt, "_NoLabel", true},
                                         {true, "", "_EmptyLabel", true},
                                         {true, "FR", std::nullopt, true}};
  for (int i = 1; i <= 7; ++i) stored.push_back({true, "T" + std::to_string(i), "_T", false});

  const SuffixTags tags = SuffixTags::fromStored(stored);

  EXPECT_EQ(labels(tags), (std::vector<std::string>{"FR+", "T1", "T2", "T3", "T4"}));
  EXPECT_EQ(tags.tags()[0].suffix, "");
  EXPECT_EQ(labels(SuffixTags::fromStored(tags.toStored())), labels(tags));
}

TEST(SuffixTagEditing, OnStateGoesWithTheRowNotTheLabel) {
  SuffixTags tags({{"FR", "_FR", false}, {"SS", "_SS", true}, {"GR", "_GR", true}});
  tags.replaceFromEditRows(
      {{"Front", " _FR "}, {"  ", "_SS"}, {"GR", "_GR"}, {"New", "_N"}, {"5", ""}, {"6", ""}});
  // Row 3 keeps its own state after row 2 was cleared; rows beyond the old list start off;
  // a sixth row does not count.
  EXPECT_EQ(labels(tags), (std::vector<std::string>{"Front", "GR+", "New", "5"}));
  EXPECT_EQ(tags.tags()[0].suffix, "_FR");

  tags.replaceFromEditRows({{"", "_A"}, {" ", ""}, {"", ""}, {"", ""}, {"", ""}});
  EXPECT_EQ(labels(tags), std::vector<std::string>{"FR"});
  EXPECT_EQ(tags.tags()[0].suffix, "_FR");
}

}  // namespace
}  // namespace vantrel::filing
