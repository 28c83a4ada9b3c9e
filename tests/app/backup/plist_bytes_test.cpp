// The two checks behind a <data> entry: which paths need one, and its base64 both ways.
#include <gtest/gtest.h>

#include "base64.h"
#include "utf8_check.h"

namespace vantrel::backup {
namespace {

using namespace std::string_literals;

TEST(Base64, MatchesTheStandardVectors) {
  const std::vector<std::pair<std::string, std::string>> vectors = {{"", ""},
                                                                    {"f", "Zg=="},
                                                                    {"fo", "Zm8="},
                                                                    {"foo", "Zm9v"},
                                                                    {"foob", "Zm9vYg=="},
                                                                    {"fooba", "Zm9vYmE="},
                                                                    {"foobar", "Zm9vYmFy"}};
  for (const auto& [bytes, text] : vectors) {
    EXPECT_EQ(encodeBase64(bytes), text);
    EXPECT_EQ(decodeBase64(text), bytes) << text;
  }
  EXPECT_EQ(encodeBase64("\xfb\xff\xbf"), "+/+/");
  EXPECT_EQ(decodeBase64("+/+/"), "\xfb\xff\xbf");
}

TEST(Base64, ReadsWrappedOrUnpaddedText) {
  EXPECT_EQ(decodeBase64("\n\tZm9v\r\n\tYmE=\n\t"), "fooba");
  EXPECT_EQ(decodeBase64("Zm9vYmE"), "fooba");
  EXPECT_EQ(decodeBase64("Zg"), "f");
  EXPECT_EQ(decodeBase64("Zg = ="), "f");
}

TEST(Base64, RefusesWhatIsNotBase64) {
  const std::vector<std::string> refused = {"Z",    "Zm9vY",     "Zg=",     "Zg===",
                                            "=Zg=", "Zg==Zg==",  "Zm9v=",   "Zm-v",
                                            "Zm_v", "Zm9v&#65;", "Zm9v\0"s, "\xc3\xa9"};
  for (const std::string& bad : refused) {
    EXPECT_FALSE(decodeBase64(bad)) << bad;
  }
}

TEST(Utf8Check, AcceptsWellFormedText) {
  for (const std::string& good :
       {""s, "plain ASCII /photos/a.jpg"s, "nul \0 and controls \x01\x1f"s, "Müller"s, "日本"s,
        "\xf0\x9f\x93\xb7"s,  // 📷
        "\xc2\x80"s, "\xdf\xbf"s, "\xe0\xa0\x80"s, "\xed\x9f\xbf"s, "\xee\x80\x80"s,
        "\xef\xbf\xbf"s, "\xf0\x90\x80\x80"s, "\xf4\x8f\xbf\xbf"s}) {
    EXPECT_TRUE(isValidUtf8(good)) << good;
  }
}

TEST(Utf8Check, RefusesLatin1OverlongSurrogatesAndCutOffSequences) {
  for (const std::string& bad : {"M\xfcller"s, "\x80"s, "\xbf"s, "\xc0\x80"s, "\xc1\xbf"s,
                                 "\xe0\x9f\xbf"s, "\xf0\x8f\xbf\xbf"s,  // overlong
                                 "\xed\xa0\x80"s, "\xed\xbf\xbf"s,      // surrogates
                                 "\xf4\x90\x80\x80"s, "\xf5\x80\x80\x80"s, "\xff"s, "\xc3"s,
                                 "\xe6\x97"s, "\xf0\x9f\x93"s, "\xc3 "s, "\xe6\x97\xe6"s}) {
    EXPECT_FALSE(isValidUtf8(bad)) << ::testing::PrintToString(bad);
    EXPECT_FALSE(isValidUtf8("/photos/" + bad + "/a.jpg")) << ::testing::PrintToString(bad);
  }
}

}  // namespace
}  // namespace vantrel::backup
