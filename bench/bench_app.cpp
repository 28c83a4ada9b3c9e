#include "bench_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "grid_store.h"
#include "settings_keys.h"

BenchApp::BenchApp(const std::vector<vantrel::names::Row>& roster,
                   const QMap<QString, QString>& camera)
    : home_(QDir::tempPath() + QStringLiteral("/vantrel-bench-XXXXXX")) {
  for (const char* sub : {"config", "data", "run", "home", "photos"}) {
    QDir(home_.path()).mkpath(QString::fromLatin1(sub));
  }
  QFile::setPermissions(path(QStringLiteral("run")),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
  qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
  qputenv("XDG_RUNTIME_DIR", path(QStringLiteral("run")).toUtf8());
  qputenv("HOME", path(QStringLiteral("home")).toUtf8());
  qunsetenv("VANTREL_UPDATE_URL");
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path(QStringLiteral("config")));

  env_ = AppEnvironment::standard();
  env_.workerPath = QStringLiteral(VANTREL_WORKER_PATH);
  env_.sdkPath = QStringLiteral(VANTREL_SIMCAM_PATH);
  env_.dataFolder = path(QStringLiteral("data/Vantrel Tether"));
  env_.gridStorePath = env_.dataFolder + QStringLiteral("/vantrel_grid.csv");
  env_.lockPath = path(QStringLiteral("run/bench.lock"));
  env_.tempFolder = path(QStringLiteral("run"));
  env_.wakeAddress = QStringLiteral("127.0.0.1");
  env_.workerEnvironment[QStringLiteral("VANTREL_CPP_DETECT_STRATEGY")] = QStringLiteral("v21");
  for (auto it = camera.begin(); it != camera.end(); ++it) env_.workerEnvironment[it.key()] = *it;
  QFile(cameraLog()).open(QIODevice::WriteOnly);
  env_.workerEnvironment[QStringLiteral("VANTREL_SIM_LOG")] = cameraLog();
  env_.workerEnvironment[QStringLiteral("VANTREL_SIM_CONTROL")] = cameraControl();

  QDir().mkpath(env_.dataFolder);
  if (!vantrel::names::GridStore::writeGridToPath(
          env_.gridStorePath.toStdString(), roster,
          vantrel::names::GridColumns::NameNoteCountMarker)) {
    std::fprintf(stderr, "cannot write the names store\n");
  }
  QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"));
  settings.setValue(settings_keys::kTargetDir, photos());
}

BenchApp::~BenchApp() {
  if (app_) app_->applicationWillTerminate();
  app_.reset();
  QCoreApplication::processEvents();
}

QString BenchApp::path(const QString& relative) const {
  return QDir(home_.path()).filePath(relative);
}

bool BenchApp::launch(bool autoConnect) {
  {
    QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"));
    settings.setValue(settings_keys::kAutoConnect, autoConnect);
  }
  app_ = std::make_unique<VantrelAppDelegate>(env_, &dialogs_);
  if (!app_->applicationDidFinishLaunching()) return false;
  return waitFor([this] { return app_->window() != nullptr; }, 10000);
}

bool BenchApp::connectAndWatch() {
  app_->connectCameraManual();
  return waitFor([this] { return app_->camera().watching; }, 30000);
}

bool BenchApp::waitFor(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    // Serve events for a moment; the condition may change on another thread.
    QEventLoop pause;
    QTimer::singleShot(2, &pause, &QEventLoop::quit);
    pause.exec();
  }
  return true;
}
