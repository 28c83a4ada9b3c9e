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
#include "image_types.h"
#include "missing_backups.h"
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
  _backup->backupSavedFile(path);
  refreshBackupMenu();
  processBackupQueue();
}

bool BackupController::backupFolderOnRecordedShare() const {
  return _defaults->string(kShareUrlKey).has_value();
}

void BackupController::processBackupQueue() {
  const auto job = _backup->processBackupQueue();
  refreshBackupMenu();
  if (!job) return;
  BackupServices* services = _backupServices.get();
  const bool onShare = backupFolderOnRecordedShare();
  const std::filesystem::path mountPoint =
      _defaults->string(kMountPointKey).value_or(QString()).toStdString();
  QPointer<BackupController> self(this);
  // The job reads and writes the record of verified copies: it stays alive while the job runs.
  services->copyPool.start([self, services, onShare, mountPoint, job = *job,
                            record = _backup->verifiedCopies()] {
    static_cast<void>(record);
    const vantrel::backup::FolderCheck check = [&](const std::filesystem::path& folder) {
      return vantrel::backup::backupFolderReachable(folder, mountPoint, onShare, services->locator);
    };
    const auto result = vantrel::backup::runCopyJob(job, vantrel::backup::copyFileContents, check);
    QMetaObject::invokeMethod(
        qApp,
        [self, job, result] {
          if (self) self->backupJobFinished(job, result);
        },
        Qt::QueuedConnection);
  });
  const std::uint64_t id = job->id;
  QTimer::singleShot(ms(vantrel::backup::kSlowCopyAfter), this, [this, id] {
    if (_backup->markSlowIfStillRunning(id)) refreshBackupMenu();
  });
}

void BackupController::backupJobFinished(const vantrel::backup::CopyJob& job,
                                         const vantrel::backup::CopyResult& result) {
  const auto finish = _backup->finishJob(job, result);
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
  auto status = _backup->chooseBackupFolder(folder.toStdString());
  if (vantrel::backup::folderIgnoresLetterCase(folder.toStdString())) {
    status = vantrel::backup::caseInsensitiveDriveStatus(folder.toStdString());
  }
  // Copies go only where this drive is: an unplugged drive leaves its mount point behind.
  const std::filesystem::path mountPoint =
      vantrel::backup::mountPointOf(folder.toStdString(), _backupServices->locator);
  _defaults->set(kMountPointKey, QString::fromStdString(mountPoint.string()));
  _defaults->set(kBackupDirKey, folder);
  _defaults->set(kBackupEnabledKey, _backup->enabled());
  _defaults->flush();
  captureBackupShareInfo(folder);
  showBackupStatus(status);
  refreshBackupMenu();
  processBackupQueue();
  return true;
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
