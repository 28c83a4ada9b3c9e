// Photos moved to another person's folder: a verified backup copy moves along, a queued photo
// is queued under its new name, and nothing counts as backed up without a copy at its new place.
#include <gtest/gtest.h>

#include "backup_coordinator.h"
#include "backup_test_support.h"
#include "moved_photo_backups.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class MovedPhotoBackups : public ::testing::Test {
 protected:
  MovedPhotoBackups() {
    coordinator.restoreSettings(backup.string(), true);
    coordinator.setTargetDir(target.string());
    fs::create_directories(backup);
    writeFile(target / "Ann" / "Ann_0001.jpg", "Bob's face");
  }

  void copyEverything() {
    while (const std::optional<CopyRun> run = coordinator.processBackupQueue()) {
      if (!coordinator.finishJob(*run, runCopyJobs(*run)).processNext) return;
    }
  }
  // The photo moved on disk the way refiling moves it, then the backup told.
  bool moveAnnsPhotoToBob() {
    fs::create_directories(target / "Bob");
    fs::rename(annPhoto, bobPhoto);
    return followMovedPhotos(coordinator, {{annPhoto.string(), bobPhoto.string()}});
  }

  TempDir dir;
  fs::path target = dir / "target";
  fs::path backup = dir / "backup";
  fs::path annPhoto = target / "Ann" / "Ann_0001.jpg";
  fs::path bobPhoto = target / "Bob" / "Bob_0007.jpg";
  BackupCoordinator coordinator{dir / "backup_queue.plist"};
};

TEST_F(MovedPhotoBackups, AVerifiedCopyMovesAlongAndStillCounts) {
  coordinator.backupSavedFile(annPhoto.string());
  copyEverything();
  ASSERT_TRUE(fs::exists(backup / "Ann" / "Ann_0001.jpg"));

  EXPECT_FALSE(moveAnnsPhotoToBob()) << "nothing to copy again";
  EXPECT_FALSE(fs::exists(backup / "Ann" / "Ann_0001.jpg"));
  EXPECT_EQ(readFile(backup / "Bob" / "Bob_0007.jpg"), "Bob's face");
  EXPECT_EQ(coordinator.verifiedCopies()->vouchedCopy(bobPhoto), backup / "Bob" / "Bob_0007.jpg");
  EXPECT_TRUE(coordinator.queue().empty());
}

TEST_F(MovedPhotoBackups, AWaitingPhotoWaitsUnderItsNewNameEvenWhileItsOldNameIsCopied) {
  coordinator.backupSavedFile(annPhoto.string());
  // The copy of the old name is under way while the photo moves.
  const std::optional<CopyRun> running = coordinator.processBackupQueue();
  ASSERT_TRUE(running);
  moveAnnsPhotoToBob();
  EXPECT_EQ(coordinator.queue().front(), bobPhoto.string());
  EXPECT_TRUE(coordinator.finishJob(*running, runCopyJobs(*running)).processNext);
  copyEverything();

  EXPECT_TRUE(coordinator.queue().empty());
  EXPECT_TRUE(coordinator.failedBackups().empty()) << "the old name is not a deleted photo";
  EXPECT_EQ(readFile(backup / "Bob" / "Bob_0007.jpg"), "Bob's face");
  EXPECT_FALSE(fs::exists(backup / "Ann" / "Ann_0001.jpg"));
}

TEST_F(MovedPhotoBackups, ACopyThatCannotMoveIsMadeAgainUnderTheNewName) {
  coordinator.backupSavedFile(annPhoto.string());
  copyEverything();
  writeFile(backup / "Bob" / "Bob_0007.jpg", "someone else");

  EXPECT_TRUE(moveAnnsPhotoToBob());
  EXPECT_FALSE(coordinator.verifiedCopies()->vouchedCopy(bobPhoto)) << "not by the old copy";
  EXPECT_EQ(coordinator.queue().front(), bobPhoto.string());
  copyEverything();
  EXPECT_EQ(readFile(backup / "Bob" / "Bob_0007.jpg"), "someone else");
  const std::optional<fs::path> copy = coordinator.verifiedCopies()->vouchedCopy(bobPhoto);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->parent_path(), backup / "Bob");
  EXPECT_EQ(readFile(*copy), "Bob's face");
  EXPECT_EQ(readFile(backup / "Ann" / "Ann_0001.jpg"), "Bob's face") << "never deleted";
}

TEST_F(MovedPhotoBackups, WithBackupOffTheOldCopyNoLongerVouchesForThePhoto) {
  coordinator.backupSavedFile(annPhoto.string());
  copyEverything();
  coordinator.restoreSettings(backup.string(), false);

  EXPECT_FALSE(moveAnnsPhotoToBob());
  EXPECT_TRUE(coordinator.queue().empty());
  EXPECT_TRUE(fs::exists(backup / "Ann" / "Ann_0001.jpg"));
  EXPECT_FALSE(coordinator.verifiedCopies()->vouchedCopy(bobPhoto));
}

}  // namespace
}  // namespace vantrel::backup
