// The queue file must give back exactly what was queued, whatever the paths hold, and a bad
// file must never stop the backup.
#include <gtest/gtest.h>

#include "backup_queue_file.h"
#include "backup_test_support.h"
#include "string_array_plist.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::queueOf;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

std::vector<std::string> entriesOf(const BackupQueue& queue) {
  return {queue.entries().begin(), queue.entries().end()};
}

TEST(QueueFile, SurvivesAReloadWithAwkwardPaths) {
  TempDir dir;
  const fs::path file = backupQueuePath(dir.path());
  const std::vector<std::string> paths = {"/photos/Tom & Jerry/Tom & Jerry_0001.jpg",
                                          "/photos/<a>/x>y.jpg",
                                          "/photos/Zoë Ångström/Zoë Ångström_0002.CR3",
                                          "/photos/日本/写真.jpg",
                                          "  leading and trailing spaces  ",
                                          "tab\there\nand a line feed\r\nand a carriage return",
                                          "control\x01\x1f characters",
                                          "&amp; literally",
                                          "]]> and \"quotes\" 'too'",
                                          ""};
  ASSERT_TRUE(saveBackupQueue(file, queueOf(paths)));
  EXPECT_EQ(loadBackupQueue(file), paths);
}

TEST(QueueFile, KeepsNamesThatAreNotUtf8ByteForByteAndInOrder) {
  using namespace std::string_literals;
  TempDir dir;
  const fs::path file = dir / "q.plist";
  const std::string latin1 = "/photos/M\xfcller/M\xfcller_0001.JPG";
  const std::vector<std::string> paths = {
      "/photos/Zoë & <Co>/a.jpg", latin1,        "/photos/Müller/Müller_0001.JPG",
      "/cut off \xe2\x82",        // the first two bytes of "€"
      "/surrogate \xed\xa0\x80",  // no UTF-8 although well-shaped
      "/overlong \xc0\xaf",       "\xff\0\xfe"s, "/last.jpg"};
  ASSERT_TRUE(saveBackupQueue(file, queueOf(paths)));
  EXPECT_EQ(loadBackupQueue(file), paths);

  // The form other property list readers know: the bytes as base64, between the strings.
  const std::string text = readFile(file);
  EXPECT_NE(text.find("\t<string>/photos/Zoë &amp; &lt;Co&gt;/a.jpg</string>\n"
                      "\t<data>L3Bob3Rvcy9N/GxsZXIvTfxsbGVyXzAwMDEuSlBH</data>\n"
                      "\t<string>/photos/Müller/Müller_0001.JPG</string>\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\t<data>/wD+</data>\n\t<string>/last.jpg</string>"), std::string::npos);
}

TEST(QueueFile, ReadsFilesWrittenBeforeNamesThatAreNotUtf8HadTheirOwnForm) {
  // Such a name went into a <string> as raw bytes; it must come back as those bytes.
  EXPECT_EQ(parseStringArrayPlist("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<plist version=\"1.0\">\n<array>\n"
                                  "\t<string>/photos/M\xfcller/a.jpg</string>\n"
                                  "\t<string>/photos/Tom &amp; Jerry/b.jpg</string>\n"
                                  "</array>\n</plist>\n"),
            (std::vector<std::string>{"/photos/M\xfcller/a.jpg", "/photos/Tom & Jerry/b.jpg"}));
}

TEST(QueueFile, ANulFromADamagedFileDoesNotLoseTheQueueAtTheNextSave) {
  using namespace std::string_literals;
  TempDir dir;
  const fs::path file = dir / "q.plist";
  writeFile(file,
            "<plist><array><string>/a.jpg</string><string>/b\0.jpg</string></array></plist>"s);
  BackupQueue queue;
  queue.assign(loadBackupQueue(file));
  const std::vector<std::string> expected = {"/a.jpg", "/b\0.jpg"s};
  ASSERT_EQ(entriesOf(queue), expected);
  ASSERT_TRUE(saveBackupQueue(file, queue));
  EXPECT_EQ(loadBackupQueue(file), expected);
  EXPECT_EQ(parseStringArrayPlist("<array><string>&#0;&#x0;</string></array>"),
            std::vector<std::string>{"\0\0"s});
}

TEST(QueueFile, IsAPropertyListOfStringsInAFolderOfItsOwn) {
  TempDir dir;
  const fs::path file = backupQueuePath(dir / "Application Support");
  EXPECT_EQ(file, dir / "Application Support" / "Vantrel Tether" / "backup_queue.plist");
  EXPECT_TRUE(fs::is_directory(file.parent_path()));

  ASSERT_TRUE(saveBackupQueue(file, queueOf({"/a/b.jpg"})));
  const std::string text = readFile(file);
  EXPECT_NE(text.find("<plist version=\"1.0\">"), std::string::npos);
  EXPECT_NE(text.find("<array>\n\t<string>/a/b.jpg</string>\n</array>"), std::string::npos);
  EXPECT_EQ(testing::treeOf(file.parent_path()), std::vector<std::string>{"backup_queue.plist"})
      << "the temporary file must not be left behind";

  ASSERT_TRUE(saveBackupQueue(file, BackupQueue()));
  EXPECT_TRUE(loadBackupQueue(file).empty());
}

TEST(QueueFile, MissingOrUnreadableLoadsEmptyAndStaysAsItWas) {
  TempDir dir;
  EXPECT_TRUE(loadBackupQueue(dir / "none.plist").empty());
  for (const std::string& bad : testing::unreadableQueueTexts()) {
    writeFile(dir / "bad.plist", bad);
    EXPECT_TRUE(loadBackupQueue(dir / "bad.plist").empty()) << bad;
    EXPECT_EQ(testing::treeOf(dir.path()), std::vector<std::string>{"bad.plist"});
  }
}

TEST(QueueFile, ReadsWhatOtherWritersProduce) {
  const auto parsed = parseStringArrayPlist(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- saved by hand -->\n"
      "<plist version=\"1.0\"><array>\n  <string/>\n  <string>caf&#xE9; &#8364;</string>"
      "<string><![CDATA[a<b&c]]></string><string>x&quot;&apos;y</string>"
      "<data/><data>\n\tTfxs\n\tbGVy\n\t</data><data>YQ</data></array></plist>");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(*parsed,
            (std::vector<std::string>{"", "café €", "a<b&c", "x\"'y", "", "M\xfcller", "a"}));
}

TEST(QueueFile, RepeatedEntriesLoadOnce) {
  TempDir dir;
  writeFile(dir / "q.plist",
            "<plist><array><string>/a</string><string>/b</string><string>/a</string></array>"
            "</plist>");
  BackupQueue queue;
  queue.assign(loadBackupQueue(dir / "q.plist"));
  EXPECT_EQ(entriesOf(queue), (std::vector<std::string>{"/a", "/b"}));
}

}  // namespace
}  // namespace vantrel::backup
