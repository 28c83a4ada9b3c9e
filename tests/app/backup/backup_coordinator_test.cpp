// The queue's life across failures, retries and commands, driven the way the controller does:
// process, run the job, finish, follow what finishing asks for.
#include <gtest/gtest.h>

#include "backup_coordinator.h"
#include "backup_queue_file.h"
#include "backup_test_support.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

bool isJpeg(const std::string& name) {
  return fs::path(name).extension() == ".jpg";
}

class CoordinatorTest : public ::testing::Test {
 protected:
  CoordinatorTest() {
    coordinator.restoreSettings(backup.string(), true);
    coordinator.setTargetDir(target.string());
    fs::create_directories(backup);
  }

  std::string photo(const std::string& relative, const std::string& bytes = "photo") {
    writeFile(target / relative, bytes);
    return (target / relative).string();
  }

  // One processBackupQueue turn with the real copy run; nothing when no run starts.
  std::optional<JobFinish> runOneJob() {
    const std::optional<CopyRun> run = coordinator.processBackupQueue();
    if (!run) return std::nullopt;
    const std::vector<CopyResult> results = runCopyJobs(*run);
    for (std::size_t i = 0; i < results.size(); ++i) started.push_back(run->jobs[i].source);
    return coordinator.finishJob(*run, results);
  }

  // A run that ended after its first `photos` photos, as one does once it has written enough.
  void runFirstPhotos(std::size_t photos) {
    const std::optional<CopyRun> run = coordinator.processBackupQueue();
    ASSERT_TRUE(run);
    CopyRun part = *run;
    part.jobs.resize(std::min(photos, part.jobs.size()));
    coordinator.finishJob(*run, runCopyJobs(part));
  }

  // Follows processNext until the queue stops.
  void runUntilIdle() {
    for (std::optional<JobFinish> finish = runOneJob(); finish && finish->processNext;)
      finish = runOneJob();
  }

  TempDir dir;
  fs::path target = dir / "target";
  fs::path backup = dir / "backup";
  fs::path queueFile = dir / "backup_queue.plist";
  BackupCoordinator coordinator{queueFile};
  std::vector<std::string> started;
};

TEST_F(CoordinatorTest, SamePathIsQueuedOnce) {
  const std::string a = photo("Ann/Ann_0001.jpg");
  EXPECT_TRUE(coordinator.backupSavedFile(a));
  EXPECT_FALSE(coordinator.backupSavedFile(a));
  EXPECT_EQ(coordinator.queue().size(), 1u);
  EXPECT_EQ(coordinator.batchTotal(), 1);
  EXPECT_EQ(loadBackupQueue(queueFile), std::vector<std::string>{a});
}

TEST_F(CoordinatorTest, NothingIsQueuedWithoutABackup) {
  coordinator.restoreSettings("", true);
  EXPECT_FALSE(coordinator.enabled()) << "backup is on only with a folder";
  EXPECT_FALSE(coordinator.backupSavedFile(photo("a.jpg")));
  coordinator.restoreSettings(backup.string(), false);
  EXPECT_FALSE(coordinator.backupSavedFile(photo("a.jpg")));
  EXPECT_TRUE(coordinator.queue().empty());
}

TEST_F(CoordinatorTest, OneRunAtATimeAndTheSlowCheckOnlyForIt) {
  coordinator.backupSavedFile(photo("a.jpg"));
  coordinator.backupSavedFile(photo("b.jpg"));
  const std::optional<CopyRun> run = coordinator.processBackupQueue();
  ASSERT_TRUE(run);
  ASSERT_EQ(run->jobs.size(), 2u) << "the waiting photos go in one run";
  EXPECT_FALSE(coordinator.processBackupQueue()) << "a second run while one goes";
  using SlowCheck = BackupCoordinator::SlowCheck;
  EXPECT_EQ(coordinator.checkSlowRun(run->id + 1), SlowCheck::Stop);
  // A run that moves on is not slow; one that stalls between two looks is.
  ++*run->progress;
  EXPECT_EQ(coordinator.checkSlowRun(run->id), SlowCheck::Again);
  EXPECT_EQ(backupStateText(coordinator.displayState()), "0% (0/2) · copying…");
  EXPECT_EQ(coordinator.checkSlowRun(run->id), SlowCheck::BecameSlow);
  EXPECT_EQ(backupStateText(coordinator.displayState()), "0% (0/2) · 2 left — slow network");

  const JobFinish finish = coordinator.finishJob(*run, runCopyJobs(*run));
  EXPECT_FALSE(coordinator.slow());
  EXPECT_EQ(coordinator.checkSlowRun(run->id), SlowCheck::Stop) << "the check came after the end";
  EXPECT_TRUE(finish.processNext);
  EXPECT_TRUE(coordinator.queue().empty());
  EXPECT_TRUE(loadBackupQueue(queueFile).empty());
}

TEST_F(CoordinatorTest, ARunTakesTheHeadOfTheQueueAndWhatItDidNotReachWaits) {
  std::vector<std::string> photos;
  for (std::size_t i = 0; i < kMostPhotosPerRun + 2; ++i) {
    photos.push_back(photo("Ann/Ann_" + std::to_string(1000 + i) + ".jpg"));
    coordinator.backupSavedFile(photos.back());
  }
  std::optional<CopyRun> run = coordinator.processBackupQueue();
  ASSERT_TRUE(run);
  ASSERT_EQ(run->jobs.size(), kMostPhotosPerRun);
  EXPECT_EQ(run->jobs.front().source, photos.front());
  // The run ended after three photos, as one does once it has written enough bytes.
  CopyRun firstThree = *run;
  firstThree.jobs.resize(3);
  EXPECT_TRUE(coordinator.finishJob(*run, runCopyJobs(firstThree)).processNext);
  EXPECT_EQ(coordinator.queue().size(), photos.size() - 3);
  EXPECT_EQ(coordinator.queue().front(), photos[3]);
  EXPECT_EQ(coordinator.batchDone(), 3);
  EXPECT_EQ(loadBackupQueue(queueFile).size(), photos.size() - 3);
  runUntilIdle();
  EXPECT_EQ(started, std::vector<std::string>(photos.begin() + 3, photos.end()));
  EXPECT_TRUE(coordinator.queue().empty());
}

TEST_F(CoordinatorTest, ThreeFailuresThenRecoveryCopyAllThreeInOrder) {
  fs::remove(backup);  // the drive is away
  std::vector<std::string> photos;
  int alerts = 0, timers = 0, recoveries = 0;
  for (const char* name : {"Ann/Ann_0001.jpg", "Bob/Bob_0001.jpg", "Ann/Ann_0002.jpg"}) {
    photos.push_back(photo(name));
    coordinator.backupSavedFile(photos.back());
    const std::optional<JobFinish> finish = runOneJob();
    ASSERT_TRUE(finish);
    alerts += finish->alert.has_value();
    timers += finish->startRetryTimer;
    recoveries += finish->attemptRecovery;
    EXPECT_FALSE(finish->processNext);
    if (finish->alert) {
      EXPECT_EQ(finish->alert->title, "Backup Paused");
      EXPECT_TRUE(finish->alert->message.starts_with(
          "The backup drive isn't reachable, so 1 photo is waiting."));
    }
  }
  EXPECT_EQ(alerts, 1);
  EXPECT_EQ(timers, 1);
  EXPECT_EQ(recoveries, 3) << "each failure asks; the recovery's own throttle decides";
  EXPECT_TRUE(coordinator.offline());
  EXPECT_EQ(loadBackupQueue(queueFile), photos);
  EXPECT_EQ(backupButtonLook(coordinator.displayState()).text, "Backup ⚠ 3");

  // The retry timer keeps going while the drive is away.
  EXPECT_TRUE(coordinator.retryTick());
  ASSERT_TRUE(runOneJob());
  EXPECT_EQ(coordinator.queue().size(), 3u);

  fs::create_directories(backup);  // the drive is back
  started.clear();
  EXPECT_TRUE(coordinator.retryTick());
  runUntilIdle();
  EXPECT_EQ(started, photos);
  for (const char* name : {"Ann/Ann_0001.jpg", "Bob/Bob_0001.jpg", "Ann/Ann_0002.jpg"})
    EXPECT_EQ(readFile(backup / name), "photo");
  EXPECT_TRUE(coordinator.queue().empty());
  EXPECT_TRUE(loadBackupQueue(queueFile).empty());
  EXPECT_FALSE(coordinator.offline());
  EXPECT_FALSE(coordinator.warnedThisSession());
  EXPECT_EQ(coordinator.batchDone(), 0);
  EXPECT_EQ(coordinator.batchTotal(), 0);
  EXPECT_FALSE(coordinator.retryTick()) << "nothing waits: the timer stops";
  EXPECT_FALSE(coordinator.retryTimerWanted());
}

TEST_F(CoordinatorTest, VanishedSourceIsDroppedWithoutCounting) {
  const std::string a = photo("a.jpg");
  coordinator.backupSavedFile(a);
  coordinator.backupSavedFile(photo("sub/b.jpg"));
  fs::remove(a);
  writeFile(backup / "sub", "a file where the folder should be");  // b's copy fails
  const std::optional<JobFinish> finish = runOneJob();
  ASSERT_TRUE(finish);
  EXPECT_FALSE(finish->processNext);
  EXPECT_EQ(coordinator.batchDone(), 0);
  EXPECT_EQ(coordinator.queue().entries(),
            std::deque<std::string>{(target / "sub/b.jpg").string()});
  EXPECT_TRUE(coordinator.failedBackups().contains(a));
}

TEST_F(CoordinatorTest, PhotosWaitWhileTheTargetFolderIsAwayAndADeletedOneIsListed) {
  const std::string a = photo("Ann/Ann_0001.jpg");
  const std::string b = photo("Ann/Ann_0002.jpg");
  coordinator.backupSavedFile(a);
  coordinator.backupSavedFile(b);
  fs::rename(target, dir / "target-away");
  std::optional<JobFinish> finish = runOneJob();
  ASSERT_TRUE(finish && finish->alert);
  EXPECT_TRUE(finish->alert->message.starts_with(
      "The target folder isn't available, so 2 photos are waiting"));
  EXPECT_TRUE(finish->startRetryTimer);
  EXPECT_TRUE(coordinator.offline());
  EXPECT_EQ(coordinator.queue().size(), 2u);
  EXPECT_TRUE(coordinator.failedBackups().empty());

  fs::rename(dir / "target-away", target);
  fs::remove(a);
  EXPECT_TRUE(coordinator.retryTick());
  runUntilIdle();
  EXPECT_TRUE(coordinator.queue().empty());
  ASSERT_EQ(coordinator.failedBackups().size(), 1u);
  EXPECT_EQ(coordinator.failedBackups().entries()[0].path, a);
  EXPECT_EQ(coordinator.failedBackups().entries()[0].reason, kPhotoDeletedText);
  EXPECT_EQ(readFile(backup / "Ann/Ann_0002.jpg"), "photo");
}

TEST_F(CoordinatorTest, ProgressNeverPassesTheBatch) {
  // A queue left from the last run belongs to no batch of this one.
  ASSERT_TRUE(saveBackupQueue(queueFile, [&] {
    BackupQueue old;
    old.assign({photo("old1.jpg"), photo("old2.jpg")});
    return old;
  }()));
  EXPECT_TRUE(coordinator.loadQueue()) << "resumes after start";
  EXPECT_EQ(backupButtonLook(coordinator.displayState()).text, "Backup 2⏳");
  coordinator.backupSavedFile(photo("new.jpg"));
  runFirstPhotos(2);
  EXPECT_EQ(coordinator.batchDone(), 0) << "the new photo is not copied yet";
  EXPECT_EQ(backupButtonLook(coordinator.displayState()).text, "Backup 0%");
  coordinator.backupSavedFile(photo("newer.jpg"));
  runFirstPhotos(1);
  EXPECT_EQ(backupStateText(coordinator.displayState()), "50% (1/2) · 1 waiting");

  // A copy that ends after its entry was cleared counts for nothing either.
  const std::optional<CopyRun> run = coordinator.processBackupQueue();
  ASSERT_TRUE(run);
  ASSERT_TRUE(coordinator.clearBackupQueueQuestion());
  EXPECT_TRUE(coordinator.clearBackupQueue().stopRetryTimer);
  coordinator.backupSavedFile(photo("next.jpg"));
  coordinator.finishJob(*run, runCopyJobs(*run));
  EXPECT_EQ(coordinator.batchDone(), 0);
  EXPECT_EQ(coordinator.batchTotal(), 1);
}

TEST_F(CoordinatorTest, ClearingAndRetryCommands) {
  EXPECT_EQ(coordinator.retryBackupNow().text, "Backup is already up to date.");
  EXPECT_FALSE(coordinator.clearBackupQueueQuestion());
  EXPECT_EQ(coordinator.clearBackupQueue().status->text, "Backup queue is already empty.");

  fs::remove(backup);
  coordinator.backupSavedFile(photo("a.jpg"));
  runOneJob();
  EXPECT_TRUE(coordinator.warnedThisSession());
  EXPECT_EQ(coordinator.retryBackupNow().text, "Retrying backup of 1 file…");
  EXPECT_FALSE(coordinator.warnedThisSession()) << "a new failure warns again";
  coordinator.backupSavedFile(photo("b.jpg"));
  EXPECT_EQ(coordinator.retryBackupNow().text, "Retrying backup of 2 files…");

  EXPECT_EQ(coordinator.clearBackupQueueQuestion()->message, "Clear 2 waiting backups?");
  const CommandOutcome cleared = coordinator.clearBackupQueue();
  EXPECT_EQ(cleared.status->text, "Backup queue cleared.");
  EXPECT_TRUE(cleared.stopRetryTimer);
  EXPECT_FALSE(coordinator.offline());
  EXPECT_EQ(backupButtonLook(coordinator.displayState()).text, "Backup ✓");
  EXPECT_EQ(backupCardLook(coordinator.displayState()).text, "Up to date");
  EXPECT_TRUE(loadBackupQueue(queueFile).empty());
  coordinator.backupSavedFile(photo("c.jpg"));
  EXPECT_EQ(coordinator.batchTotal(), 1) << "the next photo starts a new batch";
}

TEST_F(CoordinatorTest, SwitchingAndChoosingTheFolder) {
  BackupCoordinator fresh;
  EXPECT_FALSE(fresh.toggleBackupEnabled()) << "no folder: the chooser opens instead";
  EXPECT_FALSE(fresh.enabled());
  EXPECT_EQ(fresh.chooseBackupFolder("/nas/bk").text, "Backup ON → /nas/bk");
  EXPECT_TRUE(fresh.enabled());
  EXPECT_EQ(fresh.toggleBackupEnabled()->text, "Backup OFF.");
  EXPECT_EQ(fresh.toggleBackupEnabled()->text, "Backup ON → /nas/bk");
}

TEST_F(CoordinatorTest, BackUpMissingFilesNow) {
  // A copy of the same name and bytes from an earlier job is not trusted by the walk: the copy
  // job compares it, records it, and copies nothing.
  photo("Ann/Ann_0001.jpg", "same");
  writeFile(backup / "Ann" / "Ann_0001.jpg", "same");
  EXPECT_EQ(coordinator.backupMissingNow(isJpeg).status->text, "Queued 1 missing file for backup.");
  runUntilIdle();
  EXPECT_FALSE(fs::exists(backup / "Ann" / "Ann_0001 (2).jpg"));
  EXPECT_EQ(coordinator.backupMissingNow(isJpeg).status->text,
            "Backup is already complete — nothing missing.");

  const std::string differs = photo("Ann/Ann_0002.jpg", "longer photo");
  writeFile(backup / "Ann" / "Ann_0002.jpg", "short");
  const std::string missing = photo("Bob/Bob_0001.jpg");
  const std::string empty = photo("Cy/Cy_0001.jpg", "");
  photo("Bob/notes.txt");
  fs::create_directories(target / "folder.jpg");
  coordinator.backupSavedFile(missing);  // already queued: not again

  CommandOutcome outcome = coordinator.backupMissingNow(isJpeg);
  EXPECT_EQ(outcome.status->text, "Queued 2 missing files for backup.");
  EXPECT_TRUE(outcome.processQueue);
  EXPECT_EQ(std::vector<std::string>(coordinator.queue().entries().begin(),
                                     coordinator.queue().entries().end()),
            (std::vector<std::string>{missing, differs, empty}));
  EXPECT_EQ(coordinator.batchTotal(), 3);

  runUntilIdle();  // the empty photo is refused: it leaves the queue for the list, not counted
  EXPECT_TRUE(coordinator.queue().empty());
  EXPECT_EQ(coordinator.batchDone(), 0) << "the batch ended with the queue";
  EXPECT_EQ(readFile(backup / "Ann" / "Ann_0002.jpg"), "short") << "a different copy is kept";
  EXPECT_EQ(readFile(backup / "Ann" / "Ann_0002 (2).jpg"), "longer photo");
  ASSERT_EQ(coordinator.failedBackups().size(), 1u);
  EXPECT_EQ(coordinator.failedBackups().entries()[0].path, empty);
  EXPECT_EQ(coordinator.displayState().failed, 1);
  // Verified copies (the numbered one included) and listed photos are not queued again.
  EXPECT_EQ(coordinator.backupMissingNow(isJpeg).status->text,
            "Backup is already complete — nothing missing.");
  EXPECT_FALSE(fs::exists(backup / "Ann" / "Ann_0002 (3).jpg"));
}

TEST_F(CoordinatorTest, BackUpMissingFilesNeverWalksABackupInsideTheTarget) {
  const fs::path inner = target / "backup";
  coordinator.restoreSettings(inner.string(), true);
  photo("a.jpg");
  writeFile(inner / "b.jpg", "copy of a lost photo");
  coordinator.backupMissingNow(isJpeg);
  EXPECT_EQ(std::vector<std::string>(coordinator.queue().entries().begin(),
                                     coordinator.queue().entries().end()),
            std::vector<std::string>{(target / "a.jpg").string()});
}

TEST_F(CoordinatorTest, FolderRenameMirrorStaysInsideTheBackup) {
  EXPECT_EQ(coordinator.backupMirrorOfFolder((target / "Ann").string()), (backup / "Ann").string());
  EXPECT_FALSE(coordinator.backupMirrorOfFolder(target.string() + "2/Ann"));
  EXPECT_FALSE(coordinator.backupMirrorOfFolder(target.string()))
      << "renaming the target itself must not rename the whole backup folder";
  coordinator.toggleBackupEnabled();
  EXPECT_FALSE(coordinator.backupMirrorOfFolder((target / "Ann").string()));
}

}  // namespace
}  // namespace vantrel::backup
