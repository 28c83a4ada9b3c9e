// How the backup's state reads on the backup button, its tooltip and pop-up, the "Backup" card
// and the Backup menu.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::backup {

struct BackupDisplayState {
  bool enabled = false;
  std::string backupDir;
  std::int64_t waiting = 0;  // queue length
  bool busy = false;
  bool slow = false;
  bool offline = false;
  std::int64_t batchDone = 0;
  std::int64_t batchTotal = 0;
  bool full = false;        // paused because the backup drive is full
  std::int64_t failed = 0;  // photos on the could-not-back-up list
};

// Named colours of the palette; the window maps them to its own.
enum class BackupColour { Gray, Green, Red, Orange, SecondaryLabel };

struct ColouredText {
  std::string text;
  BackupColour colour = BackupColour::Gray;
  bool operator==(const ColouredText&) const = default;
};

struct MenuItemState {
  std::string title;
  bool enabled = true;
  bool checked = false;
  bool operator==(const MenuItemState&) const = default;
};

enum class PopupAction { ChooseBackupFolder, ToggleBackupEnabled };

struct PopupItem {
  std::string title;
  PopupAction action;
  bool operator==(const PopupItem&) const = default;
};

// done × 100 ÷ total, rounded half away from zero; 0 without a batch.
std::int64_t batchPercentage(std::int64_t done, std::int64_t total);

// "up to date", or e.g. "60% (3/5) · 2 waiting".
std::string backupStateText(const BackupDisplayState& state);

ColouredText backupButtonLook(const BackupDisplayState& state);
std::string backupButtonTooltip(const BackupDisplayState& state);
ColouredText backupCardLook(const BackupDisplayState& state);

MenuItemState backupEnableMenuItem(const BackupDisplayState& state);
MenuItemState retryMenuItem(const BackupDisplayState& state);
// Shown only while photos are on the could-not-back-up list.
MenuItemState failedBackupsMenuItem(const BackupDisplayState& state);

// The backup button's pop-up menu, titled "Backup".
std::vector<PopupItem> backupPopupItems(const BackupDisplayState& state);

}  // namespace vantrel::backup
