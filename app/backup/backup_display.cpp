#include "backup_display.h"

#include <cmath>
#include <filesystem>

#include "backup_texts.h"

namespace vantrel::backup {

namespace {

std::string number(std::int64_t value) {
  return std::to_string(value);
}

bool hasFolder(const BackupDisplayState& state) {
  return !state.backupDir.empty();
}

// "/Volumes/NAS/Photos/" names the folder "Photos".
std::string folderName(const std::string& dir) {
  std::filesystem::path path = std::filesystem::path(dir).lexically_normal();
  if (!path.has_filename() && path.has_relative_path()) path = path.parent_path();
  return path.filename().string();
}

}  // namespace

std::int64_t batchPercentage(std::int64_t done, std::int64_t total) {
  if (total <= 0) return 0;
  return static_cast<std::int64_t>(
      std::llround(static_cast<double>(done) * 100.0 / static_cast<double>(total)));
}

std::string backupStateText(const BackupDisplayState& state) {
  if (state.waiting == 0) return "up to date";
  std::string text;
  if (state.batchTotal >= 1) {
    text = number(batchPercentage(state.batchDone, state.batchTotal)) + "% (" +
           number(state.batchDone) + "/" + number(state.batchTotal) + ") · ";
  }
  if (state.full) return text + number(state.waiting) + " waiting — drive full";
  if (state.offline) return text + number(state.waiting) + " waiting — drive offline";
  if (state.busy && !state.slow) return text + "copying…";
  if (state.busy) return text + number(state.waiting) + " left — slow network";
  return text + number(state.waiting) + " waiting";
}

ColouredText backupButtonLook(const BackupDisplayState& state) {
  if (!state.enabled) return {"Backup: Off", BackupColour::Gray};
  if (state.waiting == 0) return {"Backup ✓", BackupColour::Green};
  if (state.offline) return {"Backup ⚠ " + number(state.waiting), BackupColour::Red};
  if (state.batchTotal < 1) return {"Backup " + number(state.waiting) + "⏳", BackupColour::Orange};
  return {"Backup " + number(batchPercentage(state.batchDone, state.batchTotal)) + "%",
          BackupColour::Orange};
}

std::string backupButtonTooltip(const BackupDisplayState& state) {
  if (state.enabled && hasFolder(state))
    return "Backup to " + state.backupDir + " — " + backupStateText(state) +
           "\nClick to change folder or turn off.";
  return "Optional backup copy of every photo. Click to choose a folder.";
}

ColouredText backupCardLook(const BackupDisplayState& state) {
  if (!state.enabled || !hasFolder(state)) return {"Off", BackupColour::SecondaryLabel};
  const std::string failed =
      state.failed > 0 ? " · " + number(state.failed) + " not backed up" : std::string();
  if (state.full) return {"Drive full · " + number(state.waiting) + " queued", BackupColour::Red};
  if (state.waiting > 0) return {number(state.waiting) + " queued" + failed, BackupColour::Orange};
  if (state.failed > 0) return {number(state.failed) + " not backed up", BackupColour::Red};
  return {"Up to date", BackupColour::Green};
}

MenuItemState backupEnableMenuItem(const BackupDisplayState& state) {
  return {state.enabled ? "Backup Copy: On" : "Backup Copy: Off", true, state.enabled};
}

MenuItemState retryMenuItem(const BackupDisplayState& state) {
  if (state.waiting == 0) return {"Retry Backup Now", false, false};
  return {"Retry Backup Now (" + number(state.waiting) + " waiting)", state.enabled, false};
}

MenuItemState failedBackupsMenuItem(const BackupDisplayState& state) {
  return {failedBackupsMenuTitle(state.failed), state.failed > 0, false};
}

std::vector<PopupItem> backupPopupItems(const BackupDisplayState& state) {
  if (!hasFolder(state)) return {{"Choose Backup Folder…", PopupAction::ChooseBackupFolder}};
  return {{"Change Backup Folder…  (now: " + folderName(state.backupDir) + ")",
           PopupAction::ChooseBackupFolder},
          {state.enabled ? "Turn Backup Off" : "Turn Backup On", PopupAction::ToggleBackupEnabled}};
}

}  // namespace vantrel::backup
