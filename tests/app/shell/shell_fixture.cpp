#include "shell_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTest>

void ShellTest::SetUp() {
  ASSERT_TRUE(home_.isValid());
  for (const char* sub : {"config", "data", "run", "home", "photos", "tmp"}) {
    QDir(home_.path()).mkpath(QString::fromLatin1(sub));
  }
  QFile::setPermissions(path(QStringLiteral("run")),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
  qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
  qputenv("XDG_RUNTIME_DIR", path(QStringLiteral("run")).toUtf8());
  qputenv("HOME", path(QStringLiteral("home")).toUtf8());
  // QSettings reads its folder once per process; point it at this test's folder.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path(QStringLiteral("config")));
  env_ = AppEnvironment::standard();
  env_.workerPath = QStringLiteral(VANTREL_WORKER_PATH);
  env_.sdkPath = QStringLiteral(VANTREL_SIMCAM_PATH);
  env_.dataFolder = path(QStringLiteral("data/Vantrel Tether"));
  env_.gridStorePath = env_.dataFolder + QStringLiteral("/vantrel_grid.csv");
  env_.lockPath = path(QStringLiteral("run/com.vantrel.tether.single-instance.lock"));
  env_.tempFolder = path(QStringLiteral("run"));
  // A short discovery: the production strategy polls for two minutes without a camera.
  env_.workerEnvironment[QStringLiteral("VANTREL_CPP_DETECT_STRATEGY")] = QStringLiteral("v21");
  env_.workerEnvironment[QStringLiteral("VANTREL_SIM_CHECK")] = QStringLiteral("1");
}

void ShellTest::TearDown() {
  if (app_) {
    app_->applicationWillTerminate();
    app_.reset();
  }
  QCoreApplication::processEvents();
}

VantrelAppDelegate& ShellTest::launch() {
  app_ = std::make_unique<VantrelAppDelegate>(env_, &dialogs_);
  EXPECT_TRUE(app_->applicationDidFinishLaunching());
  EXPECT_TRUE(waitFor([this] { return app_->window() != nullptr; }, 5000));
  return *app_;
}

void ShellTest::writeGridStore(const QStringList& names) {
  QDir().mkpath(env_.dataFolder);
  QFile file(env_.gridStorePath);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QByteArray text = "File Name,Notes,Count,Marker";
  for (const QString& name : names) text += "\n" + name.toUtf8() + ",,0,";
  file.write(text);
}

void ShellTest::setStoredValue(const QString& key, const QVariant& value) {
  QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"));
  settings.setValue(key, value);
  settings.sync();
}

bool ShellTest::waitFor(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QTest::qWait(10);
  }
  return true;
}
