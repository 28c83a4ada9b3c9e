// Backup copies of filed photos: the persistent queue, the copy pool, the retry timer, the drive
// recovery, and the Backup menu, button and card that show their state.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app_environment.h"
#include "backup_coordinator.h"

class Dialogs;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class StatusController;
class UserDefaults;
struct BackupServices;

struct BackupViews {
  QPushButton* button = nullptr;
  QLabel* pathLabel = nullptr;
  QLabel* cardValue = nullptr;
};

class BackupController : public QObject {
  Q_OBJECT
 public:
  BackupController(const AppEnvironment& env, StatusController* status, Dialogs* dialogs,
                   UserDefaults* defaults, QObject* parent = nullptr);
  ~BackupController() override;

  void attach(const BackupViews& views);
  void installBackupMenu(QMenu* menu);
  const vantrel::backup::BackupCoordinator& backup() const { return *_backup; }
  // The backup copy of a photo folder, while backup is on.
  std::optional<std::string> backupMirrorOfFolder(const std::string& folder) const;

  void setTargetDir(const QString& targetDir);
  void restoreBackupSettings();
  void backupSavedFile(const std::string& path);
  void processBackupQueue();
  void backupRetryTick();
  void attemptBackupDriveRecovery(bool force);
  void chooseBackupFolder();
  // Makes `folder` the backup folder as the chooser would; false (with an alert) when it is the
  // target folder, lies inside it or holds it.
  bool setBackupFolder(const QString& folder);
  void toggleBackupEnabled();
  void retryBackupNow();
  void wakeAndReconnectBackup();
  void backupMissingNow();
  void clearBackupQueue();
  // The photos that could not be backed up, with Retry and Remove.
  void showFailedBackups();
  // Photos were renamed or moved in the target folder (old path, new path).
  void photosRenamed(const std::vector<std::pair<std::string, std::string>>& renames);
  // "off", "waiting", "copied" or "could not: <reason>" for a filed photo, as the shot ledger
  // records it.
  std::string photoBackupState(const std::string& savedPath) const;
  // Photos were moved one by one to another person's folder (old path, new path): their backup
  // copies move along, or are made afresh under the new names.
  void photosMoved(const std::vector<std::pair<std::string, std::string>>& moves);
  void backupButtonClicked();
  void refreshBackupMenu();
  void refreshBackupButton();
  void updateBackupCard();
  // Stops the timers and lets a copy in flight finish briefly.
  void stopForTermination();

 signals:
  // A backup copy run ended and the controller has reacted.
  void backupJobDone();

 private:
  void showBackupStatus(const vantrel::backup::StatusText& status);
  bool backupFolderOnRecordedShare() const;
  void backupRunFinished(const vantrel::backup::CopyRun& run,
                         const std::vector<vantrel::backup::CopyResult>& results);
  // Looks kSlowCopyAfter later whether the run has stalled, and again while it goes on.
  void scheduleSlowCheck(std::uint64_t runId);
  void captureBackupShareInfo(const QString& backupDir);
  // Records the chosen backup folder's mount point and tells of a drive that ignores letter
  // case, off the window's thread; then the queue goes on.
  void probeBackupFolder(const QString& folder);
  // The mount point recorded for the current target folder; empty when none is.
  std::filesystem::path recordedTargetMountPoint() const;
  // Records it, off the window's thread, once the folder holds something.
  void recordTargetMountPoint();
  void applyBackupOutcome(const vantrel::backup::CommandOutcome& outcome);
  void stopRetryTimer();

  StatusController* _status;
  Dialogs* _dialogs;
  UserDefaults* _defaults;
  std::unique_ptr<vantrel::backup::BackupCoordinator> _backup;
  std::unique_ptr<BackupServices> _backupServices;
  BackupViews _views;
  QAction* _backupEnableMenuItem = nullptr;
  QAction* _backupSyncMenuItem = nullptr;
  QAction* _failedMenuItem = nullptr;
  QTimer* _backupTimer = nullptr;
  std::uint64_t _backupFolderProbe = 0;  // the latest choice's probe
  bool _targetProbeRunning = false;
};
