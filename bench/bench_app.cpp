#include "bench_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "fresh_home.h"
#include "grid_store.h"
#include "settings_keys.h"

BenchApp::BenchApp(const std::vector<vantrel::names::Row>& roster,
                   const QMap<QString, QString>& camera)
    : home_(QDir::tempPath() + QStringLiteral("/vantrel-bench-XXXXXX")) {
  qunsetenv("VANTREL_UPDATE_URL");
  env_ = prepareFreshHome(home_.path(), QStringLiteral(VANTREL_WORKER_PATH),
                          QStringLiteral(VANTREL_SIMCAM_PATH));
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
  app_->camera().connectCameraManual();
  return waitFor([this] { return app_->camera().state().watching; }, 30000);
}

std::unique_ptr<FilingWatch> BenchApp::startShooting(const QString& person) {
  const QString folder = photos() + QStringLiteral("/") + person;
  QDir().mkpath(folder);
  if (!launch(false) || !connectAndWatch()) {
    std::fprintf(stderr, "the application did not connect to the simulated camera\n");
    return nullptr;
  }
  auto watch = std::make_unique<FilingWatch>(cameraLog().toStdString(), folder.toStdString());
  if (!watch->ok()) {
    std::fprintf(stderr, "cannot watch the folders (inotify)\n");
    return nullptr;
  }
  return watch;
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
