#include "backup_controller.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "backup_coordinator.h"
#include "backup_paths.h"
#include "backup_queue_file.h"
#include "backup_services.h"
#include "backup_timing.h"
#include "dialogs.h"
#include "folder_probe.h"
#include "image_types.h"
#include "missing_backups.h"
#include "moved_photo_backups.h"
#include "palette.h"
#include "remount_job.h"
#include "settings_keys.h"
#include "share_info.h"
#include "status_controller.h"
#include "user_defaults.h"
#include "view_styling.h"

namespace {

const QString& kBackupDirKey = settings_keys::kBackupDir;
const QString& kBackupEnabledKey = settings_keys::kBackupEnabled;
const QString& kShareUrlKey = settings_keys::kBackupShareUrl;
const QString& kMacKey = settings_keys::kBackupMac;
const QString& kMountPointKey = settings_keys::kBackupMountPoint;
const QString& kTargetMountPointKey = settings_keys::kTargetMountPoint;
const QString& kTargetMountFolderKey = settings_keys::kTargetMountFolder;

int ms(std::chrono::seconds s) {
  return static_cast<int>(s.count() * 1000);
}

QString q(const std::string& text) {
  return QString::fromStdString(text);
}
QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString statusKind(vantrel::backup::StatusKind kind) {
  switch (kind) {
    case vantrel::backup::StatusKind::Busy:
      return QStringLiteral("busy");
    case vantrel::backup::StatusKind::Good:
      return QStringLiteral("good");
    case vantrel::backup::StatusKind::Neutral:
      break;
  }
  return QStringLiteral("neutral");
}

QColor colourOf(vantrel::backup::BackupColour colour) {
  switch (colour) {
    case vantrel::backup::BackupColour::Green:
      return palette::green();
    case vantrel::backup::BackupColour::Red:
      return palette::red();
    case vantrel::backup::BackupColour::Orange:
      return palette::orange();
    case vantrel::backup::BackupColour::SecondaryLabel:
      return palette::secondaryLabel();
    case vantrel::backup::BackupColour::Gray:
      break;
  }
  return palette::gray();
}

}  // namespace

BackupController::BackupController(const AppEnvironment& env, StatusController* status,
                                   Dialogs* dialogs, UserDefaults* defaults, QObject* parent)
    : QObject(parent),
      _status(status),
      _dialogs(dialogs),
      _defaults(defaults),
      _backup(std::make_unique<vantrel::backup::BackupCoordinator>(vantrel::backup::backupQueuePath(
          std::filesystem::path(env.dataFolder.toStdString()).parent_path()))),
      _backupServices(std::make_unique<BackupServices>(
          vantrel::platform::Ipv4Endpoint{env.wakeAddress.toStdString(), env.wakePort},
          env.mountInfoFile.toStdString())) {}

BackupController::~BackupController() {
  stopForTermination();
}

void BackupController::attach(const BackupViews& views) {
  _views = views;
  if (_views.button) {
    connect(_views.button, &QPushButton::clicked, this, [this] { backupButtonClicked(); });
  }
  refreshBackupMenu();
}

std::optional<std::string> BackupController::backupMirrorOfFolder(const std::string& folder) const {
  return _backup->backupMirrorOfFolder(folder);
}

void BackupController::setTargetDir(const QString& targetDir) {
  _backup->setTargetDir(targetDir.toStdString());
  recordTargetMountPoint();
}

std::filesystem::path BackupController::recordedTargetMountPoint() const {
  const std::string& target = _backup->targetDir();
  if (target.empty() || _defaults->string(kTargetMountFolderKey) != q(target)) return {};
  return _defaults->string(kTargetMountPointKey).value_or(QString()).toStdString();
}

void BackupController::recordTargetMountPoint() {
  const std::string target = _backup->targetDir();
  if (target.empty() || _targetProbeRunning || !recordedTargetMountPoint().empty()) return;
  _targetProbeRunning = true;
  BackupServices* services = _backupServices.get();
  QPointer<BackupController> self(this);
  services->commandPool.start([self, services, target] {
    const auto probe = vantrel::backup::probeTargetFolder(target, services->locator);
    QMetaObject::invokeMethod(
        qApp,
        [self, target, probe] {
          if (!self) return;
          self->_targetProbeRunning = false;
          // Another target folder by now; its own probe comes with its next photo.
          if (self->_backup->targetDir() != target) return;
          if (probe.mountPoint.empty() || !probe.holdsAnything) return;
          self->_defaults->set(kTargetMountFolderKey, q(target));
          self->_defaults->set(kTargetMountPointKey, q(probe.mountPoint.string()));
          self->_defaults->flush();
        },
        Qt::QueuedConnection);
  });
}

void BackupController::stopRetryTimer() {
  if (!_backupTimer) return;
  _backupTimer->stop();
  _backupTimer->deleteLater();
  _backupTimer = nullptr;
}

void BackupController::stopForTermination() {
  stopRetryTimer();
  if (!_backupServices) return;
  // A copy in flight may finish on its own; its queue entry stays until it is confirmed, so
  // nothing is lost when it does not. Keep the services alive for it rather than wait long.
  _backupServices->copyPool.clear();
  _backupServices->commandPool.clear();
  if (!_backupServices->copyPool.waitForDone(2000) ||
      !_backupServices->commandPool.waitForDone(500)) {
    static_cast<void>(_backupServices.release());
  }
}

void BackupController::showBackupStatus(const vantrel::backup::StatusText& status) {
  _status->setStatus(q(status.text), statusKind(status.kind));
}

void BackupController::restoreBackupSettings() {
  const QString dir = _defaults->string(kBackupDirKey).value_or(QString());
  _backup->restoreSettings(dir.toStdString(), _defaults->boolean(kBackupEnabledKey, false));
  if (const auto turnedOff = _backup->turnOffIfFolderConflicts()) {
    _defaults->set(kBackupEnabledKey, false);
    _defaults->flush();
    showBackupStatus(*turnedOff);
  }
  const bool resume = _backup->loadQueue();
  refreshBackupMenu();
  // What the unreadable queue held is found again in the folders.
  if (_backup->queueFileWasUnreadable() && !_backup->missingBackupsRefusal()) backupMissingNow();
  if (resume) {
    QTimer::singleShot(ms(vantrel::backup::kStartupResumeDelay), this,
                       [this] { processBackupQueue(); });
  }
}

void BackupController::backupSavedFile(const std::string& path) {
  // The photo is in the target folder now, so the folder's drive is there to be recorded.
  recordTargetMountPoint();
  _backup->backupSavedFile(path);
  refreshBackupMenu();
  processBackupQueue();
}

std::string BackupController::photoBackupState(const std::string& savedPath) const {
  for (const auto& failed : _backup->failedBackups().entries()) {
    if (failed.path == savedPath) return "could not: " + failed.reason;
  }
  if (_backup->queue().contains(savedPath)) return "waiting";
  if (_backup->verifiedCopies()->vouchedCopy(savedPath)) return "copied";
  // Filed while the backup was off, and never queued since.
  return _backup->enabled() ? "waiting" : "off";
}

bool BackupController::backupFolderOnRecordedShare() const {
  return _defaults->string(kShareUrlKey).has_value();
}

void BackupController::processBackupQueue() {
  const auto run = _backup->processBackupQueue();
  refreshBackupMenu();
  if (!run) return;
  BackupServices* services = _backupServices.get();
  const bool onShare = backupFolderOnRecordedShare();
  const std::filesystem::path mountPoint =
      _defaults->string(kMountPointKey).value_or(QString()).toStdString();
  const std::filesystem::path targetMountPoint = recordedTargetMountPoint();
  QPointer<BackupController> self(this);
  // The run reads and writes the record of verified copies: it stays alive while the run goes.
  services->copyPool.start([self, services, onShare, mountPoint, targetMountPoint, run = *run,
                            record = _backup->verifiedCopies()] {
    static_cast<void>(record);
    const vantrel::backup::FolderCheck backupCheck = [&](const std::filesystem::path& folder) {
      return vantrel::backup::backupFolderReachable(folder, mountPoint, onShare, services->locator);
    };
    const vantrel::backup::TargetCheck targetCheck = [&](const std::filesystem::path& folder) {
      return vantrel::backup::targetFolderState(folder, targetMountPoint, services->locator);
    };
    const auto results = vantrel::backup::runCopyJobs(run, vantrel::backup::copyFileContents,
                                                      backupCheck, targetCheck);
    QMetaObject::invokeMethod(
        qApp,
        [self, run, results] {
          if (self) self->backupRunFinished(run, results);
        },
        Qt::QueuedConnection);
  });
  scheduleSlowCheck(run->id);
}

void BackupController::scheduleSlowCheck(std::uint64_t runId) {
  QTimer::singleShot(ms(vantrel::backup::kSlowCopyAfter), this, [this, runId] {
    using SlowCheck = vantrel::backup::BackupCoordinator::SlowCheck;
    switch (_backup->checkSlowRun(runId)) {
      case SlowCheck::BecameSlow:
        refreshBackupMenu();
        break;
      case SlowCheck::Again:
        scheduleSlowCheck(runId);
        break;
      case SlowCheck::Stop:
        break;
    }
  });
}

void BackupController::backupRunFinished(const vantrel::backup::CopyRun& run,
                                         const std::vector<vantrel::backup::CopyResult>& results) {
  const auto finish = _backup->finishJob(run, results);
  refreshBackupMenu();
  if (finish.alert) _status->showAlert(q(finish.alert->title), q(finish.alert->message));
  if (finish.status) showBackupStatus(*finish.status);
  if (finish.startRetryTimer && !_backupTimer) {
    _backupTimer = new QTimer(this);
    _backupTimer->setInterval(ms(vantrel::backup::kRetryInterval));
    connect(_backupTimer, &QTimer::timeout, this, [this] { backupRetryTick(); });
    _backupTimer->start();
  }
  if (finish.attemptRecovery) attemptBackupDriveRecovery(false);
  if (finish.processNext) processBackupQueue();
  emit backupJobDone();
}

void BackupController::backupRetryTick() {
  if (_backup->retryTick()) {
    processBackupQueue();
  } else {
    stopRetryTimer();
  }
}

void BackupController::attemptBackupDriveRecovery(bool force) {
  const auto settings =
      _backup->recoverySettings(_defaults->string(kMacKey).value_or(QString()).toStdString(),
                                _defaults->string(kShareUrlKey).value_or(QString()).toStdString());
  const auto attempt = force ? _backupServices->recovery.wakeAndReconnect(settings)
                             : _backupServices->recovery.attempt(false, settings);
  if (attempt.wakeSent) showBackupStatus(vantrel::backup::RecoveryAttempt::wakeStatus());
  if (!attempt.remount) return;
  BackupServices* services = _backupServices.get();
  QPointer<BackupController> self(this);
  services->commandPool.start([self, services, job = *attempt.remount] {
    const auto sleep = [](std::chrono::steady_clock::duration d) {
      QThread::msleep(static_cast<unsigned long>(
          std::chrono::duration_cast<std::chrono::milliseconds>(d).count()));
    };
    vantrel::backup::FolderReachable reachable;
    if (!job.shareUrl.empty()) {
      reachable = [services](const std::filesystem::path& folder) {
        return vantrel::backup::folderIsOnNetworkShare(folder, services->locator);
      };
    }
    const auto result = vantrel::backup::runRemountJob(job, services->mounter, sleep, reachable);
    QMetaObject::invokeMethod(
        qApp,
        [self, result] {
          if (!self) return;
          if (const auto status = vantrel::backup::remountStatus(result)) {
            self->showBackupStatus(*status);
          }
          if (vantrel::backup::remountResumesQueue(result)) self->processBackupQueue();
        },
        Qt::QueuedConnection);
  });
}

void BackupController::captureBackupShareInfo(const QString& backupDir) {
  BackupServices* services = _backupServices.get();
  QPointer<BackupController> self(this);
  services->commandPool.start([self, services, dir = backupDir.toStdString()] {
    const auto capture = vantrel::backup::captureBackupShareInfo(dir, services->locator);
    std::optional<std::string> mac;
    if (capture.action == vantrel::backup::ShareCapture::Action::Record && !capture.host.empty()) {
      mac = services->addressLookup.lookUp(capture.host);
    }
    QMetaObject::invokeMethod(
        qApp,
        [self, capture, mac] {
          if (!self) return;
          using Action = vantrel::backup::ShareCapture::Action;
          if (capture.action == Action::Forget) {
            self->_defaults->remove(kShareUrlKey);
            self->_defaults->remove(kMacKey);
          } else if (capture.action == Action::Record) {
            self->_defaults->set(kShareUrlKey, q(capture.shareUrl));
            if (mac) self->_defaults->set(kMacKey, q(*mac));
          }
          self->_defaults->flush();
        },
        Qt::QueuedConnection);
  });
}

void BackupController::chooseBackupFolder() {
  const QString chosen = _dialogs->chooseFolder(q(vantrel::backup::texts::kChooseFolderMessage),
                                                q(_backup->backupDir()));
  if (chosen.isEmpty()) return;
  setBackupFolder(chosen);
}

bool BackupController::setBackupFolder(const QString& folder) {
  using vantrel::backup::BackupCoordinator;
  const auto conflict =
      BackupCoordinator::folderConflict(folder.toStdString(), _backup->targetDir());
  if (conflict != vantrel::backup::BackupFolderConflict::None) {
    const auto refused = vantrel::backup::backupFolderRefusedAlert(conflict);
    _status->showAlert(q(refused.title), q(refused.message));
    return false;
  }
  const auto status = _backup->chooseBackupFolder(folder.toStdString());
  // The last folder's mount point must not judge this one; the probe records this one's.
  _defaults->remove(kMountPointKey);
  _defaults->set(kBackupDirKey, folder);
  _defaults->set(kBackupEnabledKey, _backup->enabled());
  _defaults->flush();
  captureBackupShareInfo(folder);
  showBackupStatus(status);
  refreshBackupMenu();
  probeBackupFolder(folder);
  return true;
}

void BackupController::probeBackupFolder(const QString& folder) {
  const std::uint64_t probe = ++_backupFolderProbe;
  BackupServices* services = _backupServices.get();
  QPointer<BackupController> self(this);
  services->commandPool.start([self, services, probe, dir = folder.toStdString()] {
    const auto found = vantrel::backup::probeBackupFolder(dir, services->locator);
    QMetaObject::invokeMethod(
        qApp,
        [self, probe, dir, found] {
          // A folder chosen since then has a probe of its own.
          if (!self || probe != self->_backupFolderProbe) return;
          // Copies go only where this drive is: an unplugged drive leaves its mount point behind.
          self->_defaults->set(kMountPointKey, q(found.mountPoint.string()));
          self->_defaults->flush();
          if (found.ignoresLetterCase) {
            self->showBackupStatus(vantrel::backup::caseInsensitiveDriveStatus(dir));
          }
          self->processBackupQueue();
        },
        Qt::QueuedConnection);
  });
}

void BackupController::toggleBackupEnabled() {
  const auto status = _backup->toggleBackupEnabled();
  if (!status) {
    chooseBackupFolder();
    return;
  }
  _defaults->set(kBackupEnabledKey, _backup->enabled());
  _defaults->flush();
  showBackupStatus(*status);
  refreshBackupMenu();
  processBackupQueue();
}

void BackupController::retryBackupNow() {
  const auto status = _backup->retryBackupNow();
  processBackupQueue();
  showBackupStatus(status);
}

void BackupController::wakeAndReconnectBackup() {
  _backup->clearWarnedThisSession();
  attemptBackupDriveRecovery(true);
}

void BackupController::applyBackupOutcome(const vantrel::backup::CommandOutcome& outcome) {
  if (outcome.alert) _status->showAlert(q(outcome.alert->title), q(outcome.alert->message));
  if (outcome.status) showBackupStatus(*outcome.status);
  if (outcome.stopRetryTimer) stopRetryTimer();
  refreshBackupMenu();
  if (outcome.processQueue) processBackupQueue();
}

void BackupController::backupMissingNow() {
  if (const auto refusal = _backup->missingBackupsRefusal()) {
    _status->showAlert(q(refusal->title), q(refusal->message));
    return;
  }
  // The walk reads every photo's folder on both drives: off the window's thread.
  QPointer<BackupController> self(this);
  _backupServices->commandPool.start([self, target = _backup->targetDir(),
                                      backupDir = _backup->backupDir(),
                                      record = _backup->verifiedCopies()] {
    const auto missing = vantrel::backup::findMissingBackups(
        target, backupDir,
        [](const std::string& name) { return vantrel::filing::isImageFileName(name); },
        [&record](const std::filesystem::path& source) {
          return record->vouchedCopy(source).has_value();
        });
    QMetaObject::invokeMethod(
        qApp,
        [self, missing] {
          if (self) self->applyBackupOutcome(self->_backup->queueMissingBackups(missing));
        },
        Qt::QueuedConnection);
  });
}

void BackupController::showFailedBackups() {
  const auto question = _backup->failedBackupsQuestion();
  if (!question) return;
  const int answer = _dialogs->ask(
      q(question->title), q(question->message),
      {q(question->retryButton), q(question->removeButton), q(question->closeButton)});
  if (answer == 0) applyBackupOutcome(_backup->retryFailedBackups());
  if (answer == 1) applyBackupOutcome(_backup->removeFailedBackups());
}

void BackupController::photosRenamed(
    const std::vector<std::pair<std::string, std::string>>& renames) {
  _backup->photosRenamed(renames);
  refreshBackupMenu();
}

void BackupController::photosMoved(const std::vector<std::pair<std::string, std::string>>& moves) {
  vantrel::backup::followMovedPhotos(*_backup, moves);
  refreshBackupMenu();
  processBackupQueue();
}

void BackupController::clearBackupQueue() {
  const auto question = _backup->clearBackupQueueQuestion();
  if (!question) {
    showBackupStatus(vantrel::backup::queueAlreadyEmptyStatus());
    return;
  }
  const int answer = _dialogs->ask(q(question->message), q(question->informative),
                                   {q(question->confirmButton), q(question->cancelButton)});
  if (answer != 0) return;
  applyBackupOutcome(_backup->clearBackupQueue());
}

void BackupController::backupButtonClicked() {
  QMenu menu(QStringLiteral("Backup"));
  for (const auto& item : vantrel::backup::backupPopupItems(_backup->displayState())) {
    QAction* action = menu.addAction(q(item.title));
    const auto which = item.action;
    connect(action, &QAction::triggered, this, [this, which] {
      if (which == vantrel::backup::PopupAction::ChooseBackupFolder) {
        chooseBackupFolder();
      } else {
        toggleBackupEnabled();
      }
    });
  }
  if (_views.button) menu.exec(_views.button->mapToGlobal(QPoint(0, _views.button->height() + 4)));
}

void BackupController::refreshBackupMenu() {
  if (const auto alert = _backup->takeQueueFileAlert()) {
    _status->showAlert(q(alert->title), q(alert->message));
  }
  const auto state = _backup->displayState();
  if (_backupEnableMenuItem) {
    const auto item = vantrel::backup::backupEnableMenuItem(state);
    _backupEnableMenuItem->setText(q(item.title));
    _backupEnableMenuItem->setEnabled(item.enabled);
    _backupEnableMenuItem->setChecked(item.checked);
  }
  if (_failedMenuItem) {
    const auto item = vantrel::backup::failedBackupsMenuItem(state);
    _failedMenuItem->setText(q(item.title));
    _failedMenuItem->setVisible(item.enabled);
  }
  if (_backupSyncMenuItem) {
    const auto item = vantrel::backup::retryMenuItem(state);
    _backupSyncMenuItem->setText(q(item.title));
    _backupSyncMenuItem->setEnabled(item.enabled);
  }
  refreshBackupButton();
  updateBackupCard();
}

void BackupController::refreshBackupButton() {
  if (!_views.button) return;
  const auto state = _backup->displayState();
  const auto look = vantrel::backup::backupButtonLook(state);
  styleButton(_views.button, q(look.text), colourOf(look.colour), true);
  _views.button->setToolTip(q(vantrel::backup::backupButtonTooltip(state)));
  if (_views.pathLabel) {
    const QString dir = q(_backup->backupDir());
    _views.pathLabel->setText(dir.isEmpty() ? QStringLiteral("No backup folder")
                                            : abbreviatedHomePath(dir));
    _views.pathLabel->setToolTip(dir);
  }
}

void BackupController::updateBackupCard() {
  if (!_views.cardValue) return;
  const auto look = vantrel::backup::backupCardLook(_backup->displayState());
  _views.cardValue->setText(q(look.text));
  styleStatusValue(_views.cardValue, colourOf(look.colour));
}

void BackupController::installBackupMenu(QMenu* menu) {
  connect(menu->addAction(q(vantrel::backup::texts::kChooseBackupFolder)), &QAction::triggered,
          this, [this] { chooseBackupFolder(); });
  _backupEnableMenuItem = menu->addAction(QStringLiteral("Backup Copy: Off"));
  _backupEnableMenuItem->setCheckable(true);
  connect(_backupEnableMenuItem, &QAction::triggered, this, [this] { toggleBackupEnabled(); });
  menu->addSeparator();
  _backupSyncMenuItem = menu->addAction(QStringLiteral("Retry Backup Now"));
  connect(_backupSyncMenuItem, &QAction::triggered, this, [this] { retryBackupNow(); });
  connect(menu->addAction(q(vantrel::backup::texts::kWakeAndReconnect)), &QAction::triggered, this,
          [this] { wakeAndReconnectBackup(); });
  connect(menu->addAction(q(vantrel::backup::texts::kBackUpMissingFiles)), &QAction::triggered,
          this, [this] { backupMissingNow(); });
  connect(menu->addAction(q(vantrel::backup::texts::kClearBackupQueue)), &QAction::triggered, this,
          [this] { clearBackupQueue(); });
  menu->addSeparator();
  _failedMenuItem = menu->addAction(QString());
  _failedMenuItem->setVisible(false);
  connect(_failedMenuItem, &QAction::triggered, this, [this] { showFailedBackups(); });
  refreshBackupMenu();
}
