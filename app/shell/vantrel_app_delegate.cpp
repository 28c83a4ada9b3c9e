// Start-up, the single-instance guard, the splash, arrow keys and the orderly shutdown.
#include "vantrel_app_delegate.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

#include "backup_controller.h"
#include "camera_controller.h"
#include "dialogs.h"
#include "filing_controller.h"
#include "folder_repair_controller.h"
#include "last_photos_controller.h"
#include "ledger_controller.h"
#include "main_window.h"
#include "name_row_actions.h"
#include "names_controller.h"
#include "photo_limit_controller.h"
#include "preview_controller.h"
#include "scan_select_controller.h"
#include "splash_screen.h"
#include "status_controller.h"
#include "tags_controller.h"
#include "update_checker.h"
#include "user_defaults.h"
#include "worker_supervisor.h"
#include "yearbook_controller.h"

VantrelAppDelegate::VantrelAppDelegate(AppEnvironment environment, Dialogs* dialogs,
                                       QObject* parent)
    : QObject(parent),
      _env(std::move(environment)),
      _dialogs(dialogs),
      _defaults(std::make_unique<UserDefaults>()),
      _displayVersion(QCoreApplication::applicationVersion().isEmpty()
                          ? QStringLiteral("7.04")
                          : QCoreApplication::applicationVersion()) {
  _status = new StatusController(_dialogs, this);
  _worker = new WorkerSupervisor(_env, _status, this);
  _list = new NamesController(_env.gridStorePath, _status, _dialogs, _defaults.get(), this);
  _rows = new NameRowActions(_list, _status, _dialogs, this);
  _tags = new TagsController(_status, _dialogs, _defaults.get(), this);
  _filing = new FilingController(_list, _tags, _status, _dialogs, _defaults.get(), this);
  _cameraDriver = new CameraDriverController(_env, _defaults.get(), this);
  _camera = new CameraController(_worker, _status, _filing, _list, _defaults.get(), this);
  _backup = new BackupController(_env, _status, _dialogs, _defaults.get(), this);
  _repair = new FolderRepairController(_list, _filing, _tags, _backup, _status, _dialogs, this);
  _lastPhotos = new LastPhotosController(_filing, _list, _backup, _status, _dialogs, this);
  _photoLimit = new PhotoLimitController(_list, _status, _defaults.get(), this);
  _scanSelect = new ScanSelectController(_list, _status, this);
  _unfiled = new UnfiledDownloadsController(_filing, _list, _status, _dialogs,
                                            _env.unsetDownloadFolder, this);
  _preview = new PreviewController(this);
  _ledger = new LedgerController(QDir(_env.dataFolder).filePath(QStringLiteral("shot_ledger.csv")),
                                 _worker, _backup, _status, _dialogs, this);
  _yearbook =
      new YearbookController(_list, _filing, _preview, _status, _dialogs, _defaults.get(), this);
  _updates = new UpdateChecker(_displayVersion, _status, _dialogs, _defaults.get(), this);
  _appIcon = imageResourceNamedAny(
      {QStringLiteral("vantrel_tether_icon.icns"), QStringLiteral("vantrel_tether_icon.png")});
  wireSubsystems();
}

VantrelAppDelegate::~VantrelAppDelegate() {
  if (!_terminated) applicationWillTerminate();
  if (_window) delete _window;
}

QWidget* VantrelAppDelegate::window() const {
  return _window;
}

bool VantrelAppDelegate::acquireSingleInstanceLock() {
  return _instanceLock.acquire(_env.lockPath);
}

bool VantrelAppDelegate::applicationDidFinishLaunching() {
  if (!acquireSingleInstanceLock()) {
    _dialogs->alert(QStringLiteral("Vantrel Photo Tether is already open"),
                    QStringLiteral("Only one instance can run at a time. Please use the existing "
                                   "Vantrel Photo Tether window."));
    _terminated = true;
    return false;
  }
  if (!_appIcon.isNull()) QApplication::setWindowIcon(_appIcon);
  QDir().mkpath(_env.dataFolder);
  _tags->loadSuffixes();
  _ledger->load();
  _filing->startFilingThread();
  qApp->installEventFilter(this);
  _worker->killStrayWorkers();
  showSplash();
  QTimer::singleShot(_env.splashMs, this, [this] {
    closeSplash();
    if (!_window) {
      buildUI();
      updatePathLabels();
      updateControls();
      _status->refreshReadyStatusIfIdle();
    }
  });
  return true;
}

void VantrelAppDelegate::applicationWillTerminate() {
  if (_terminated) return;
  _terminated = true;
  // The window goes at once; the photos on their way are seen to behind it.
  if (_window) _window->hide();
  _status->stopForTermination();
  qApp->removeEventFilter(this);
  _camera->stopForTermination();
  // Every photo announced is filed; what each filing posted (count, store, backup queue) is
  // handled now, while everything it touches still exists.
  _filing->finishAndStop();
  QCoreApplication::sendPostedEvents(_filing);
  savePersistentPaths();
  _preview->stop();
  _yearbook->stopForTermination();
  _backup->stopForTermination();
  _ledger->refreshBackupStates();
  _ledger->saveNow();
  _instanceLock.release();
}

QString VantrelAppDelegate::resourcePath(const QString& name) const {
  if (_env.resourceFolder.isEmpty()) return {};
  const QString path = QDir(_env.resourceFolder).filePath(name);
  return QFileInfo::exists(path) ? path : QString();
}

QIcon VantrelAppDelegate::imageResourceNamedAny(const QStringList& names) const {
  for (const QString& name : names) {
    const QString path = resourcePath(name);
    if (path.isEmpty()) continue;
    QPixmap pixmap(path);
    if (!pixmap.isNull()) return QIcon(pixmap);
  }
  return {};
}

void VantrelAppDelegate::showSplash() {
  _splashWindow = showSplashScreen(
      imageResourceNamedAny({QStringLiteral("vantrel_splash_mark.png")}), _displayVersion);
}

void VantrelAppDelegate::closeSplash() {
  if (_splashWindow) _splashWindow->close();
  _splashWindow = nullptr;
}

bool VantrelAppDelegate::eventFilter(QObject* watched, QEvent* event) {
  // The desktop's theme changed: its colours are let in again, so the light look goes back on,
  // once the theme's own handling is done.
  if (event->type() == QEvent::ThemeChange && _window && watched == _window.data()) {
    QTimer::singleShot(0, this, [this] {
      if (!_terminated) applyAppearance();
    });
  }
  if (event->type() != QEvent::KeyPress || !_window) return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return QObject::eventFilter(watched, event);
  }
  // Only keys meant for the main window: dialogs keep their own arrow keys.
  QWidget* focus = QApplication::focusWidget();
  if (focus && focus->window() != _window) return QObject::eventFilter(watched, event);
  const bool textHasFocus = qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) ||
                            qobject_cast<QPlainTextEdit*>(focus);
  switch (key->key()) {
    case Qt::Key_Down:
      _list->moveGridSelectionBy(1);
      return true;
    case Qt::Key_Up:
      _list->moveGridSelectionBy(-1);
      return true;
    case Qt::Key_Left:
      if (textHasFocus) break;
      _preview->previewPreviousImage();
      return true;
    case Qt::Key_Right:
      if (textHasFocus) break;
      _preview->previewNextImage();
      return true;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}
