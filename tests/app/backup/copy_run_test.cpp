// The photos at the head of the queue copied as one run: every photo of the run ends up in the
// backup or with its reason, and a failure that pauses the backup leaves nothing of the photos
// after it, which wait for the next run.
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

class CopyRunTest : public ::testing::Test {
 protected:
  CopyRunTest() { fs::create_directories(backup); }

  // Each relative path a photo of that name holding its own path as bytes.
  CopyRun runOf(const std::vector<std::string>& relatives) {
    CopyRun run{7, {}, std::make_shared<RunProgress>(0)};
    for (const std::string& relative : relatives) {
      const fs::path source = target / relative;
      if (!fs::exists(source)) writeFile(source, relative);
      run.jobs.push_back({source.string(), backup.string(),
                          backupDestForSource(source.string(), target.string(), backup.string()),
                          &record, target.string()});
    }
    return run;
  }

  TempDir dir;
  fs::path target = dir / "target";
  fs::path backup = dir / "backup";
  VerifiedCopies record{{}};
};

TEST_F(CopyRunTest, EveryPhotoOfTheRunIsCopiedAndRecorded) {
  const CopyRun run = runOf({"Anna/Anna_0001.jpg", "Anna/Anna_0002.jpg", "Bob/Bob_0001.jpg"});
  const std::vector<CopyResult> results = runCopyJobs(run);
  ASSERT_EQ(results.size(), 3u);
  for (std::size_t i = 0; i < results.size(); ++i) {
    const CopyJob& job = run.jobs[i];
    EXPECT_EQ(results[i].outcome, CopyOutcome::Copied) << results[i].errorText;
    EXPECT_EQ(results[i].copiedTo, job.destination);
    EXPECT_EQ(readFile(job.destination), readFile(job.source));
    EXPECT_EQ(record.vouchedCopy(job.source), fs::path(job.destination));
  }
  EXPECT_EQ(treeOf(backup),
            (std::vector<std::string>{"Anna", "Anna/Anna_0001.jpg", "Anna/Anna_0002.jpg", "Bob",
                                      "Bob/Bob_0001.jpg"}))
      << "no temporary copy is left";
  EXPECT_GE(run.progress->load(), 3u) << "the slow check sees the run move";
}

TEST_F(CopyRunTest, APhotoThatCanNeverBeCopiedLeavesTheRestOfTheRunGoing) {
  writeFile(target / "Anna" / "empty.jpg", "");
  const CopyRun run = runOf({"Anna/Anna_0001.jpg", "Anna/empty.jpg", "gone.jpg"});
  fs::remove(target / "gone.jpg");
  const CopyRun more = runOf({"Anna/Anna_0002.jpg"});
  CopyRun all = run;
  all.jobs.push_back(more.jobs.front());

  const std::vector<CopyResult> results = runCopyJobs(all);
  ASSERT_EQ(results.size(), 4u);
  EXPECT_EQ(results[0].outcome, CopyOutcome::Copied);
  EXPECT_EQ(results[1].outcome, CopyOutcome::FileRefused);
  EXPECT_EQ(results[2].outcome, CopyOutcome::SourceMissing);
  EXPECT_EQ(results[3].outcome, CopyOutcome::Copied);
  EXPECT_EQ(treeOf(backup),
            (std::vector<std::string>{"Anna", "Anna/Anna_0001.jpg", "Anna/Anna_0002.jpg"}));
}

TEST_F(CopyRunTest, AFailureThatPausesTheBackupEndsTheRunAndLeavesNothingOfTheRest) {
  const CopyRun run =
      runOf({"Anna/Anna_0001.jpg", "Anna/Anna_0002.jpg", "Bob/Bob_0001.jpg", "Bob/Bob_0002.jpg"});
  // The drive goes away while Bob's first photo is written.
  const FileCopier failingOnBob = [](const fs::path& from, const fs::path& to, CopyError& error) {
    if (from.parent_path().filename() != "Bob") return copyFileContents(from, to, error);
    writeFile(to, "half");
    error = {std::make_error_code(std::errc::io_error), false};
    return false;
  };
  const std::vector<CopyResult> results = runCopyJobs(run, failingOnBob);
  ASSERT_EQ(results.size(), 3u) << "Bob's second photo waits for the next run";
  EXPECT_EQ(results[0].outcome, CopyOutcome::Copied);
  EXPECT_EQ(results[1].outcome, CopyOutcome::Copied);
  EXPECT_EQ(results[2].outcome, CopyOutcome::Failed);
  EXPECT_EQ(treeOf(backup),
            (std::vector<std::string>{"Anna", "Anna/Anna_0001.jpg", "Anna/Anna_0002.jpg", "Bob"}));
  EXPECT_TRUE(record.vouchedCopy(run.jobs[1].source));
  EXPECT_FALSE(record.vouchedCopy(run.jobs[2].source));
  EXPECT_FALSE(record.vouchedCopy(run.jobs[3].source));

  // The backup folder away: the run ends at its first photo, nothing is written.
  fs::remove_all(backup);
  const std::vector<CopyResult> away = runCopyJobs(run);
  ASSERT_EQ(away.size(), 1u);
  EXPECT_EQ(away[0].outcome, CopyOutcome::Failed);
  EXPECT_FALSE(fs::exists(backup));
}

TEST_F(CopyRunTest, APhotoChangedWhileItWasCopiedIsNotVouchedFor) {
  const CopyRun run = runOf({"Anna/Anna_0001.jpg"});
  const fs::path photo = run.jobs.front().source;
  const FileCopier editedMeanwhile = [&](const fs::path& from, const fs::path& to,
                                         CopyError& error) {
    const bool copied = copyFileContents(from, to, error);
    writeFile(photo, std::string(readFile(photo).size(), 'e'));
    fs::last_write_time(photo, fs::last_write_time(photo) + std::chrono::seconds(5));
    return copied;
  };
  ASSERT_EQ(runCopyJobs(run, editedMeanwhile).front().outcome, CopyOutcome::Copied);
  EXPECT_EQ(record.vouchedCopy(photo), std::nullopt) << "the backup holds the bytes as they were";
}

// What an unplugged target drive looks like: the target folder gone, or its mount point left as
// an empty folder (on another mount point than the one recorded for it).
TEST_F(CopyRunTest, AGonePhotoIsDeletedOnlyWhereItsDriveIsKnownToBeThere) {
  const CopyJob job = runOf({"Anna/Anna_0001.jpg"}).jobs.front();
  const auto outcomeWith = [&](TargetFolderState state) {
    return runCopyJob(job, copyFileContents, {}, [state](const fs::path&) { return state; })
        .outcome;
  };
  fs::remove(job.source);
  EXPECT_EQ(outcomeWith(TargetFolderState::OnItsDrive), CopyOutcome::SourceMissing);
  EXPECT_EQ(outcomeWith(TargetFolderState::Present), CopyOutcome::SourceMissing);
  EXPECT_EQ(outcomeWith(TargetFolderState::Away), CopyOutcome::TargetAway);

  // The person's folder gone too: only the drive known to be there makes it a deletion.
  fs::remove_all(target / "Anna");
  EXPECT_EQ(outcomeWith(TargetFolderState::OnItsDrive), CopyOutcome::SourceMissing);
  EXPECT_EQ(outcomeWith(TargetFolderState::Present), CopyOutcome::TargetAway);
  fs::remove_all(target);
  EXPECT_EQ(runCopyJob(job).outcome, CopyOutcome::TargetAway);
  EXPECT_TRUE(fs::is_empty(backup));
}

TEST_F(CopyRunTest, APhotoThatCannotBeReadWhileItsDriveIsAwayWaits) {
  const CopyJob job = runOf({"Anna/Anna_0001.jpg"}).jobs.front();
  const FileCopier unreadable = [](const fs::path&, const fs::path&, CopyError& error) {
    error = {std::make_error_code(std::errc::io_error), true};
    return false;
  };
  const auto outcomeWith = [&](TargetFolderState state) {
    return runCopyJob(job, unreadable, {}, [state](const fs::path&) { return state; }).outcome;
  };
  EXPECT_EQ(outcomeWith(TargetFolderState::Away), CopyOutcome::TargetAway);
  EXPECT_EQ(outcomeWith(TargetFolderState::OnItsDrive), CopyOutcome::FileRefused);
}

TEST_F(CopyRunTest, APhotoOfAnotherTargetFolderThatIsGoneNeverHoldsUpTheQueue) {
  fs::create_directories(target);
  CopyJob job = runOf({"Anna/Anna_0001.jpg"}).jobs.front();
  job.source = (dir / "last job" / "Anna" / "Anna_0001.jpg").string();
  const CopyResult result = runCopyJob(job);
  EXPECT_EQ(result.outcome, CopyOutcome::FileRefused);
  EXPECT_EQ(result.errorText, kPhotoFolderGoneText);
  // With no target folder at all, nothing tells a deleted folder from an absent drive.
  job.targetDir.clear();
  EXPECT_EQ(runCopyJob(job).outcome, CopyOutcome::TargetAway);
}

}  // namespace
}  // namespace vantrel::backup
