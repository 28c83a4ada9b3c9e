// At launch the queue file is read once: a file that cannot be read is kept aside where the next
// save cannot overwrite it, and a save that fails leaves the last good file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <regex>

#include "backup_queue_file.h"
#include "backup_test_support.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::queueOf;
using testing::readFile;
using testing::TempDir;
using testing::treeOf;
using testing::writeFile;

bool runningAsRoot() {
  return ::geteuid() == 0;
}

// A folder whose permissions are taken away for the test's length and given back after.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(fs::path folder) : folder_(std::move(folder)) {
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  }
  ~ReadOnlyFolder() { fs::permissions(folder_, fs::perms::owner_all); }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

 private:
  fs::path folder_;
};

TEST(QueueFileLaunch, AMissingFileAnEmptyArrayOrAQueueReadAsTheyAre) {
  TempDir dir;
  const fs::path file = dir / "backup_queue.plist";
  const QueueFileRead missing = readBackupQueueFile(file);
  EXPECT_TRUE(missing.ok());
  EXPECT_TRUE(missing.paths.empty());

  writeFile(file, "<plist version=\"1.0\">\n<array/>\n</plist>\n");
  const QueueFileRead empty = readBackupQueueFile(file);
  EXPECT_TRUE(empty.ok());
  EXPECT_TRUE(empty.paths.empty());

  const std::vector<std::string> paths = {"/photos/M\xfcller/M\xfcller_0001.JPG", "/photos/b.jpg"};
  ASSERT_TRUE(saveBackupQueue(file, queueOf(paths)));
  const QueueFileRead saved = readBackupQueueFile(file);
  EXPECT_TRUE(saved.ok());
  EXPECT_EQ(saved.paths, paths);
  EXPECT_EQ(treeOf(dir.path()), std::vector<std::string>{"backup_queue.plist"});
}

TEST(QueueFileLaunch, AnUnreadableFileIsKeptAsideWithItsBytes) {
  const std::regex asideName(R"(backup_queue\.plist\.unreadable-\d{8}-\d{6}(-\d+)?)");
  for (const std::string& bad : testing::unreadableQueueTexts()) {
    TempDir dir;
    const fs::path file = dir / "backup_queue.plist";
    writeFile(file, bad);
    const QueueFileRead read = readBackupQueueFile(file);
    EXPECT_FALSE(read.ok()) << bad;
    EXPECT_TRUE(read.paths.empty());
    ASSERT_TRUE(read.movedAside) << bad;
    EXPECT_EQ(read.movedAside->parent_path(), dir.path());
    EXPECT_TRUE(std::regex_match(read.movedAside->filename().string(), asideName))
        << *read.movedAside;
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(readFile(*read.movedAside), bad);
  }
}

TEST(QueueFileLaunch, TheNextSaveAndTheNextLaunchLeaveTheFileKeptAside) {
  TempDir dir;
  const fs::path file = dir / "backup_queue.plist";
  const std::string cutOff = "<plist><array><string>/photos/a.jpg</string><string>/pho";
  writeFile(file, cutOff);
  const QueueFileRead first = readBackupQueueFile(file);
  ASSERT_TRUE(first.movedAside);

  ASSERT_TRUE(saveBackupQueue(file, queueOf({"/photos/new.jpg"})));
  const QueueFileRead second = readBackupQueueFile(file);
  EXPECT_TRUE(second.ok());
  EXPECT_EQ(second.paths, std::vector<std::string>{"/photos/new.jpg"});
  EXPECT_EQ(readFile(*first.movedAside), cutOff);

  // Unreadable again, perhaps within the same second: another name, the first file untouched.
  writeFile(file, "garbage");
  const QueueFileRead third = readBackupQueueFile(file);
  ASSERT_TRUE(third.movedAside);
  EXPECT_NE(*third.movedAside, *first.movedAside);
  EXPECT_EQ(readFile(*third.movedAside), "garbage");
  EXPECT_EQ(readFile(*first.movedAside), cutOff);
  EXPECT_EQ(treeOf(dir.path()).size(), 2u);
}

TEST(QueueFileLaunch, AFileThatCannotBeReadAtAllIsKeptAsideToo) {
  TempDir dir;
  const fs::path file = dir / "backup_queue.plist";
  writeFile(file / "inside", "x");  // a folder where the file should be: it opens, but won't read
  const QueueFileRead read = readBackupQueueFile(file);
  ASSERT_TRUE(read.movedAside);
  EXPECT_EQ(readFile(*read.movedAside / "inside"), "x");
  EXPECT_FALSE(fs::exists(file));
}

TEST(QueueFileLaunch, AFileThatCannotBeMovedAsideIsReportedAndLeftInPlace) {
  if (runningAsRoot()) GTEST_SKIP() << "root may rename in a read-only folder";
  TempDir dir;
  const fs::path folder = dir / "data";
  const fs::path file = folder / "backup_queue.plist";
  writeFile(file, "<plist><array>");
  ReadOnlyFolder readOnly(folder);
  const QueueFileRead read = readBackupQueueFile(file);
  ASSERT_TRUE(read.movedAside);
  EXPECT_EQ(read.movedAside->parent_path(), folder);
  EXPECT_FALSE(fs::exists(*read.movedAside));
  EXPECT_EQ(readFile(file), "<plist><array>");
}

TEST(QueueFileSave, AFailedSaveLeavesTheLastGoodFile) {
  if (runningAsRoot()) GTEST_SKIP() << "root may write in a read-only folder";
  TempDir dir;
  const fs::path folder = dir / "data";
  const fs::path file = folder / "backup_queue.plist";
  fs::create_directories(folder);
  ASSERT_TRUE(saveBackupQueue(file, queueOf({"/photos/a.jpg"})));
  const std::string good = readFile(file);
  {
    ReadOnlyFolder readOnly(folder);
    EXPECT_FALSE(saveBackupQueue(file, queueOf({"/photos/a.jpg", "/photos/b.jpg"})));
  }
  EXPECT_EQ(readFile(file), good);
  EXPECT_EQ(treeOf(folder), std::vector<std::string>{"backup_queue.plist"});
}

TEST(QueueFileSave, FailsWhereNoFileCanBe) {
  TempDir dir;
  writeFile(dir / "a file", "x");
  EXPECT_FALSE(saveBackupQueue(dir / "a file" / "backup_queue.plist", queueOf({"/a.jpg"})));

  // A folder in the file's place is not replaced, and no temporary file stays beside it.
  writeFile(dir / "taken" / "backup_queue.plist" / "inside", "kept");
  EXPECT_FALSE(saveBackupQueue(dir / "taken" / "backup_queue.plist", queueOf({"/a.jpg"})));
  EXPECT_EQ(treeOf(dir / "taken"),
            (std::vector<std::string>{"backup_queue.plist", "backup_queue.plist/inside"}));
  EXPECT_EQ(readFile(dir / "taken" / "backup_queue.plist" / "inside"), "kept");
  EXPECT_EQ(readFile(dir / "a file"), "x");
}

}  // namespace
}  // namespace vantrel::backup
