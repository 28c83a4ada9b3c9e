// The words and colours the operator reads: every state of the tables, the plural and
// "is"/"are" rules, and the rounding of the percentage.
#include <gtest/gtest.h>

#include "backup_display.h"
#include "backup_texts.h"

namespace vantrel::backup {
namespace {

BackupDisplayState onWith(std::int64_t waiting, std::int64_t done = 0, std::int64_t total = 0) {
  BackupDisplayState state;
  state.enabled = true;
  state.backupDir = "/nas/Photo Backup/";
  state.waiting = waiting;
  state.batchDone = done;
  state.batchTotal = total;
  return state;
}

TEST(BackupDisplay, ThreeOfFiveDone) {
  const BackupDisplayState state = onWith(2, 3, 5);
  EXPECT_EQ(backupButtonLook(state), (ColouredText{"Backup 60%", BackupColour::Orange}));
  EXPECT_EQ(backupStateText(state), "60% (3/5) · 2 waiting");
  EXPECT_EQ(backupButtonTooltip(state),
            "Backup to /nas/Photo Backup/ — 60% (3/5) · 2 waiting\n"
            "Click to change folder or turn off.");
}

TEST(BackupDisplay, PercentageRoundsHalfAwayFromZero) {
  EXPECT_EQ(batchPercentage(1, 8), 13);  // 12.5
  EXPECT_EQ(batchPercentage(1, 3), 33);
  EXPECT_EQ(batchPercentage(2, 3), 67);
  EXPECT_EQ(batchPercentage(0, 0), 0);
}

TEST(BackupDisplay, StateTextForEachState) {
  EXPECT_EQ(backupStateText(onWith(0, 4, 4)), "up to date");
  BackupDisplayState state = onWith(3);
  EXPECT_EQ(backupStateText(state), "3 waiting") << "no batch: no prefix";
  state.busy = true;
  EXPECT_EQ(backupStateText(state), "copying…");
  state.slow = true;
  EXPECT_EQ(backupStateText(state), "3 left — slow network");
  state.offline = true;
  state.batchTotal = 3;
  EXPECT_EQ(backupStateText(state), "0% (0/3) · 3 waiting — drive offline");
}

TEST(BackupDisplay, ButtonCardAndMenusForEachState) {
  BackupDisplayState off = onWith(2);
  off.enabled = false;
  EXPECT_EQ(backupButtonLook(off), (ColouredText{"Backup: Off", BackupColour::Gray}));
  EXPECT_EQ(backupCardLook(off), (ColouredText{"Off", BackupColour::SecondaryLabel}));
  EXPECT_EQ(backupButtonTooltip(off),
            "Optional backup copy of every photo. Click to choose a folder.");
  EXPECT_EQ(retryMenuItem(off), (MenuItemState{"Retry Backup Now (2 waiting)", false, false}));
  EXPECT_EQ(backupPopupItems(off)[1].title, "Turn Backup On");

  EXPECT_EQ(backupButtonLook(onWith(0)), (ColouredText{"Backup ✓", BackupColour::Green}));
  EXPECT_EQ(backupCardLook(onWith(0)), (ColouredText{"Up to date", BackupColour::Green}));
  EXPECT_EQ(backupButtonLook(onWith(4)), (ColouredText{"Backup 4⏳", BackupColour::Orange}));
  EXPECT_EQ(backupCardLook(onWith(4)), (ColouredText{"4 queued", BackupColour::Orange}));
  EXPECT_EQ(retryMenuItem(onWith(4)), (MenuItemState{"Retry Backup Now (4 waiting)", true, false}));
  BackupDisplayState offline = onWith(4, 1, 5);
  offline.offline = true;
  EXPECT_EQ(backupButtonLook(offline), (ColouredText{"Backup ⚠ 4", BackupColour::Red}));

  EXPECT_EQ(backupPopupItems(onWith(0)),
            (std::vector<PopupItem>{
                {"Change Backup Folder…  (now: Photo Backup)", PopupAction::ChooseBackupFolder},
                {"Turn Backup Off", PopupAction::ToggleBackupEnabled}}));
  EXPECT_EQ(backupPopupItems(BackupDisplayState{}),
            (std::vector<PopupItem>{{"Choose Backup Folder…", PopupAction::ChooseBackupFolder}}));
}

TEST(BackupTexts, PausedAlertCountsAndReason) {
  const std::string tail =
      " waiting.\n\nYour primary save is fine. Backups resume automatically when the "
      "drive/Wi-Fi reconnects — or use Backup ▸ Retry Backup Now.";
  EXPECT_EQ(backupPausedAlert(1, "").message,
            "The backup drive isn't reachable, so 1 photo is" + tail);
  EXPECT_EQ(backupPausedAlert(3, "").message,
            "The backup drive isn't reachable, so 3 photos are" + tail);
  EXPECT_EQ(backupPausedAlert(1, "incomplete copy (connection dropped)").message,
            "The backup drive isn't reachable: incomplete copy (connection dropped), so 1 photo "
            "is" +
                tail);
  EXPECT_EQ(backupPausedAlert(3, "Input/output error").message,
            "The backup drive isn't reachable: Input/output error, so 3 photos are" + tail);
  EXPECT_EQ(backupPausedAlert(3, "").title, "Backup Paused");
}

}  // namespace
}  // namespace vantrel::backup
