// The copy job's promise: the final name only ever holds the old copy or a verified new one.
#include <gtest/gtest.h>

#include "backup_paths.h"
#include "backup_test_support.h"
#include "copy_job.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::treeOf;
using testing::writeFile;

class CopyJobTest : public ::testing::Test {
 protected:
  CopyJob jobFor(const std::string& relative) const {
    return {(target / relative).string(), backup.string(),
            backupDestForSource((target / relative).string(), target.string(), backup.string()),
            nullptr, target.string()};
  }

  TempDir dir;
  fs::path target = dir / "target";
  fs::path backup = dir / "backup";
};

TEST_F(CopyJobTest, CopiesIntoTheMirroredFolder) {
  writeFile(target / "Anna" / "Anna_0001.jpg", "photo bytes");
  fs::create_directories(backup);
  const CopyResult result = runCopyJob(jobFor("Anna/Anna_0001.jpg"));
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(result.copiedTo, (backup / "Anna" / "Anna_0001.jpg").string());
  EXPECT_EQ(readFile(backup / "Anna" / "Anna_0001.jpg"), "photo bytes");
  EXPECT_EQ(treeOf(backup), (std::vector<std::string>{"Anna", "Anna/Anna_0001.jpg"}));
}

TEST_F(CopyJobTest, MissingSourceOrBackupFolder) {
  fs::create_directories(backup);
  fs::create_directories(target);
  EXPECT_EQ(runCopyJob(jobFor("gone.jpg")).outcome, CopyOutcome::SourceMissing);

  writeFile(target / "a.jpg", "x");
  fs::remove(backup);
  const CopyResult away = runCopyJob(jobFor("a.jpg"));
  EXPECT_EQ(away.outcome, CopyOutcome::Failed);
  EXPECT_EQ(away.errorText, "") << "an absent drive has no error text";
  EXPECT_FALSE(fs::exists(backup)) << "the backup folder must not be created";

  // A share's mount point left behind as a local folder is just as away.
  fs::create_directories(backup);
  const CopyResult local =
      runCopyJob(jobFor("a.jpg"), copyFileContents, [](const fs::path&) { return false; });
  EXPECT_EQ(local.outcome, CopyOutcome::Failed);
  EXPECT_TRUE(fs::is_empty(backup));
}

TEST_F(CopyJobTest, IdenticalCopyCountsAsDoneWithoutASecondFile) {
  writeFile(target / "a.jpg", "12345");
  writeFile(backup / "a.jpg", "12345");
  bool copied = false;
  const FileCopier spy = [&](const fs::path&, const fs::path&, CopyError&) {
    return copied = true;
  };
  const CopyResult result = runCopyJob(jobFor("a.jpg"), spy);
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(result.copiedTo, (backup / "a.jpg").string());
  EXPECT_FALSE(copied);
  EXPECT_EQ(treeOf(backup), std::vector<std::string>{"a.jpg"});
}

// Also what a case-folding drive shows when "anna.jpg" already holds another photo and
// "Anna.jpg" is copied: the name is taken by different bytes.
TEST_F(CopyJobTest, DifferentFileOfTheSameSizeIsKeptAndThePhotoGoesBesideIt) {
  writeFile(target / "a.jpg", "12345");
  writeFile(backup / "a.jpg", "abcde");
  CopyResult result = runCopyJob(jobFor("a.jpg"));
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(result.copiedTo, (backup / "a (2).jpg").string());
  EXPECT_EQ(readFile(backup / "a.jpg"), "abcde");
  EXPECT_EQ(readFile(backup / "a (2).jpg"), "12345");

  // Queued again, it is found where it went; a third photo of that name takes the next number.
  result = runCopyJob(jobFor("a.jpg"));
  EXPECT_EQ(result.copiedTo, (backup / "a (2).jpg").string());
  writeFile(target / "a.jpg", "third");
  result = runCopyJob(jobFor("a.jpg"));
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(result.copiedTo, (backup / "a (3).jpg").string());
  EXPECT_EQ(treeOf(backup), (std::vector<std::string>{"a (2).jpg", "a (3).jpg", "a.jpg"}));
}

TEST_F(CopyJobTest, StaleCopyIsKeptAndAVerifiedOneGoesBesideIt) {
  writeFile(target / "a.jpg", "the whole photo");
  writeFile(backup / "a.jpg", "half");
  writeFile(backup / "a.jpg.vantrel_tmp", "left from a crash");
  const CopyResult result = runCopyJob(jobFor("a.jpg"));
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(readFile(backup / "a.jpg"), "half");
  EXPECT_EQ(readFile(backup / "a (2).jpg"), "the whole photo");
  EXPECT_EQ(treeOf(backup), (std::vector<std::string>{"a (2).jpg", "a.jpg"}));
}

TEST_F(CopyJobTest, NameTakenWhileCopyingIsNeverReplaced) {
  writeFile(target / "a.jpg", "photo");
  fs::create_directories(backup);
  // Another program writes a different file under the name while our copy is under way...
  const FileCopier racing = [&](const fs::path& from, const fs::path& to, CopyError& error) {
    writeFile(backup / "a.jpg", "other");
    return copyFileContents(from, to, error);
  };
  CopyResult result = runCopyJob(jobFor("a.jpg"), racing);
  EXPECT_EQ(result.copiedTo, (backup / "a (2).jpg").string());
  EXPECT_EQ(readFile(backup / "a.jpg"), "other");
  EXPECT_EQ(readFile(backup / "a (2).jpg"), "photo");

  // ...or the very same bytes, which are then the copy.
  fs::remove_all(backup);
  fs::create_directories(backup);
  const FileCopier sameBytes = [&](const fs::path& from, const fs::path& to, CopyError& error) {
    writeFile(backup / "a.jpg", "photo");
    return copyFileContents(from, to, error);
  };
  result = runCopyJob(jobFor("a.jpg"), sameBytes);
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(result.copiedTo, (backup / "a.jpg").string());
  EXPECT_EQ(treeOf(backup), std::vector<std::string>{"a.jpg"});
}

TEST_F(CopyJobTest, EmptySourceIsRefusedAndNeverCountedAsCopied) {
  writeFile(target / "empty.jpg", "");
  writeFile(backup / "empty.jpg", "");
  const CopyResult result = runCopyJob(jobFor("empty.jpg"));
  EXPECT_EQ(result.outcome, CopyOutcome::FileRefused);
  EXPECT_EQ(result.errorText, "the photo is empty");
  EXPECT_EQ(treeOf(backup), std::vector<std::string>{"empty.jpg"});
}

TEST_F(CopyJobTest, CopyThatFailsHalfWayLeavesTheOldFileAndNoTemporary) {
  writeFile(target / "a.jpg", "0123456789");
  writeFile(backup / "a.jpg", "old");
  // The connection drops: half the bytes arrive and the copy reports success anyway...
  const FileCopier truncating = [](const fs::path&, const fs::path& to, CopyError&) {
    writeFile(to, "01234");
    return true;
  };
  CopyResult result = runCopyJob(jobFor("a.jpg"), truncating);
  EXPECT_EQ(result.outcome, CopyOutcome::Failed);
  EXPECT_EQ(result.errorText, "incomplete copy (connection dropped)");
  EXPECT_EQ(readFile(backup / "a.jpg"), "old");
  EXPECT_EQ(treeOf(backup), std::vector<std::string>{"a.jpg"});

  // ...or it reports the error.
  const FileCopier failing = [](const fs::path&, const fs::path& to, CopyError& error) {
    writeFile(to, "012");
    error.error = std::make_error_code(std::errc::io_error);
    return false;
  };
  result = runCopyJob(jobFor("a.jpg"), failing);
  EXPECT_EQ(result.outcome, CopyOutcome::Failed);
  EXPECT_EQ(result.errorText, std::make_error_code(std::errc::io_error).message());
  EXPECT_EQ(readFile(backup / "a.jpg"), "old");
  EXPECT_EQ(treeOf(backup), std::vector<std::string>{"a.jpg"});
}

TEST_F(CopyJobTest, ReadErrorRefusesThePhotoWhereAWriteErrorPausesTheBackup) {
  writeFile(target / "a.jpg", "photo");
  fs::create_directories(backup);
  const auto failingOn = [](bool sourceSide) -> FileCopier {
    return [sourceSide](const fs::path&, const fs::path&, CopyError& error) {
      error = {std::make_error_code(std::errc::io_error), sourceSide};
      return false;
    };
  };
  EXPECT_EQ(runCopyJob(jobFor("a.jpg"), failingOn(true)).outcome, CopyOutcome::FileRefused);
  EXPECT_EQ(runCopyJob(jobFor("a.jpg"), failingOn(false)).outcome, CopyOutcome::Failed);
  EXPECT_TRUE(fs::is_empty(backup));
}

TEST_F(CopyJobTest, NameHeldByAFolderIsLeftAlone) {
  writeFile(target / "a.jpg", "photo");
  fs::create_directories(backup / "a.jpg" / "inside");  // a folder squats on the name
  const CopyResult result = runCopyJob(jobFor("a.jpg"));
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(readFile(backup / "a (2).jpg"), "photo");
  EXPECT_FALSE(fs::exists(backup / "a.jpg.vantrel_tmp"));
  EXPECT_TRUE(fs::exists(backup / "a.jpg" / "inside"));
}

TEST_F(CopyJobTest, RecordedCopyIsTrustedAfterARestartUntilThePhotoChanges) {
  const fs::path recordFile = dir / "backup_verified.plist";
  writeFile(target / "Anna" / "a.jpg", "photo");
  fs::create_directories(backup);
  {
    VerifiedCopies verified(recordFile);
    CopyJob job = jobFor("Anna/a.jpg");
    job.verified = &verified;
    EXPECT_EQ(runCopyJob(job).outcome, CopyOutcome::Copied);
  }
  VerifiedCopies verified(recordFile);
  verified.load();
  CopyJob job = jobFor("Anna/a.jpg");
  job.verified = &verified;
  bool copied = false;
  const FileCopier spy = [&](const fs::path& from, const fs::path& to, CopyError& error) {
    copied = true;
    return copyFileContents(from, to, error);
  };
  CopyResult result = runCopyJob(job, spy);
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(result.copiedTo, (backup / "Anna" / "a.jpg").string());
  EXPECT_FALSE(copied);

  // Edited since: the old copy stays, the new bytes get a copy of their own.
  writeFile(target / "Anna" / "a.jpg", "edited photo");
  result = runCopyJob(job, spy);
  EXPECT_TRUE(copied);
  EXPECT_EQ(result.copiedTo, (backup / "Anna" / "a (2).jpg").string());
  EXPECT_EQ(readFile(backup / "Anna" / "a.jpg"), "photo");
  EXPECT_EQ(verified.vouchedCopy(target / "Anna" / "a.jpg"), backup / "Anna" / "a (2).jpg");
}

TEST(BackupDestination, MirrorsTheTargetFolderByWholeComponents) {
  EXPECT_EQ(backupDestForSource("/photos/A/Ann/Ann_0001.jpg", "/photos/A", "/nas/bk"),
            "/nas/bk/Ann/Ann_0001.jpg");
  EXPECT_EQ(backupDestForSource("/photos/A/Ann/x.jpg", "/photos/A/", "/nas/bk"),
            "/nas/bk/Ann/x.jpg");
  // A sibling that merely starts with the same letters is outside.
  EXPECT_EQ(backupDestForSource("/photos/AB/x.jpg", "/photos/A", "/nas/bk"), "/nas/bk/x.jpg");
  // Outside the target folder, or none set: the file name alone.
  EXPECT_EQ(backupDestForSource("/elsewhere/deep/x.jpg", "/photos/A", "/nas/bk"), "/nas/bk/x.jpg");
  EXPECT_EQ(backupDestForSource("/photos/A/x.jpg", "", "/nas/bk"), "/nas/bk/x.jpg");
  // ".." cannot climb out of either folder.
  EXPECT_EQ(backupDestForSource("/photos/A/../B/x.jpg", "/photos/A", "/nas/bk"), "/nas/bk/x.jpg");
  EXPECT_EQ(backupDestForSource("/photos/A/x/..", "/photos/A", "/nas/bk"), "/nas/bk");
  EXPECT_EQ(temporaryCopyPath("/nas/bk/Anna/Anna_0001.jpg"),
            "/nas/bk/Anna/Anna_0001.jpg.vantrel_tmp");
  EXPECT_EQ(numberedCopyPath("/nas/bk/Anna/Anna_0001.jpg", 1), "/nas/bk/Anna/Anna_0001.jpg");
  EXPECT_EQ(numberedCopyPath("/nas/bk/Anna/Anna_0001.jpg", 12), "/nas/bk/Anna/Anna_0001 (12).jpg");
  EXPECT_EQ(numberedCopyPath("/nas/bk/Anna/README", 2), "/nas/bk/Anna/README (2)");
}

}  // namespace
}  // namespace vantrel::backup
