// Start-up, the single-instance guard, the splash, arrow keys and the orderly shutdown.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "backup_services.h"
#include "dialogs.h"
#include "filing_thread.h"
#include "qt_text_folding.h"
#include "user_defaults.h"
#include "vantrel_app_delegate.h"
#include "worker_process.h"

namespace {
constexpr int kSplashMs = 1150;
}  // namespace

VantrelAppDelegate::VantrelAppDelegate(AppEnvironment environment, Dialogs* dialogs,
                                       QObject* parent)
    : QObject(parent),
      _env(std::move(environment)),
      _dialogs(dialogs),
      _defaults(std::make_unique<UserDefaults>()),
      _names(namesTextFolding()),
      _gridStore(std::make_unique<vantrel::names::GridStore>(_env.gridStorePath.toStdString())) {
  _displayVersion = QCoreApplication::applicationVersion().isEmpty()
                        ? QStringLiteral("7.04")
                        : QCoreApplication::applicationVersion();
}

VantrelAppDelegate::~VantrelAppDelegate() {
  if (!_terminated) applicationWillTerminate();
  if (_window) delete _window;
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
  _appIcon = imageResourceNamedAny({QStringLiteral("vantrel_tether_icon.png")});
  if (!_appIcon.isNull()) QApplication::setWindowIcon(_appIcon);
  QDir().mkpath(_env.dataFolder);
  loadSuffixes();
  _filingThread = std::make_unique<FilingThread>(this);
  qApp->installEventFilter(this);
  killStrayWorkers();
  showSplash();
  QTimer::singleShot(kSplashMs, this, [this] {
    closeSplash();
    if (!_window) {
      buildUI();
      updatePathLabels();
      updateControls();
      refreshReadyStatusIfIdle();
    }
  });
  return true;
}

void VantrelAppDelegate::applicationWillTerminate() {
  if (_terminated) return;
  _terminated = true;
  savePersistentPaths();
  for (QTimer* timer : {_storageTimer, _detectTimer, _backupTimer}) {
    if (timer) timer->stop();
  }
  qApp->removeEventFilter(this);
  _camera.manualDisconnect = true;
  _camera.connectRequested = false;
  sendWorkerLine(QStringLiteral("QUIT"));
  if (workerRunning()) _workerTask->terminate();
  // The file being filed finishes while the event loop still runs; the filing thread never waits
  // on us here, so joining it cannot deadlock.
  if (_filingThread) _filingThread->finishAndStop();
  if (_backupServices) {
    // A copy in flight may finish on its own; its queue entry stays until it is confirmed, so
    // nothing is lost when it does not. Keep the services alive for it rather than wait long.
    _backupServices->copyPool.clear();
    _backupServices->commandPool.clear();
    if (!_backupServices->copyPool.waitForDone(2000) ||
        !_backupServices->commandPool.waitForDone(500)) {
      static_cast<void>(_backupServices.release());
    }
  }
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
  auto* splash =
      new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->setFixedSize(500, 380);
  splash->setStyleSheet(
      QStringLiteral("QWidget#splash { background: rgb(51,102,153); border-radius: 20px; }"
                     "QLabel { color: white; background: transparent; }"));
  splash->setObjectName(QStringLiteral("splash"));
  auto* layout = new QVBoxLayout(splash);
  layout->setContentsMargins(20, 30, 20, 20);
  const QIcon mark = imageResourceNamedAny({QStringLiteral("vantrel_splash_mark.png")});
  if (!mark.isNull()) {
    auto* image = new QLabel(splash);
    image->setPixmap(mark.pixmap(170, 170));
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
  } else {
    layout->addStretch();
  }
  auto* title = new QLabel(QStringLiteral("Vantrel Photo Tether"), splash);
  title->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 30pt;"));
  auto* subtitle = new QLabel(QStringLiteral("Tethered capture for Canon cameras"), splash);
  subtitle->setStyleSheet(QStringLiteral("font-size: 14pt; color: rgba(255,255,255,191);"));
  auto* version = new QLabel(QStringLiteral("Version %1").arg(_displayVersion), splash);
  version->setStyleSheet(QStringLiteral("font-size: 11pt; color: rgba(255,255,255,140);"));
  for (QLabel* label : {title, subtitle, version}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    splash->move(screen->geometry().center() - splash->rect().center());
  }
  splash->show();
  _splashWindow = splash;
}

void VantrelAppDelegate::closeSplash() {
  if (_splashWindow) _splashWindow->close();
  _splashWindow = nullptr;
}

bool VantrelAppDelegate::eventFilter(QObject* watched, QEvent* event) {
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
      moveGridSelectionBy(1);
      return true;
    case Qt::Key_Up:
      moveGridSelectionBy(-1);
      return true;
    case Qt::Key_Left:
      if (textHasFocus) break;
      previewPreviousImage();
      return true;
    case Qt::Key_Right:
      if (textHasFocus) break;
      previewNextImage();
      return true;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}
