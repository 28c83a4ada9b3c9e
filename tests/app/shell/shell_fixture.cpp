#include "shell_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTest>

#include "fresh_home.h"

void ShellTest::SetUp() {
  ASSERT_TRUE(home_.isValid());
  env_ = prepareFreshHome(home_.path(), QStringLiteral(VANTREL_WORKER_PATH),
                          QStringLiteral(VANTREL_SIMCAM_PATH));
  env_.workerEnvironment[QStringLiteral("VANTREL_SIM_CHECK")] = QStringLiteral("1");
  // The window comes after a short splash, so that a test spends its time on what it tests; what
  // happens before the window is built still does.
  env_.splashMs = kTestSplashMs;
  childReports_ =
      std::make_unique<ChildSanitizerReports>(path(QStringLiteral("sanitizer")).toStdString());
}

void ShellTest::TearDown() {
  if (app_) {
    app_->applicationWillTerminate();
    app_.reset();
  }
  QCoreApplication::processEvents();
  // Every worker has ended by now: the controller kills and waits for the one it still had.
  if (childReports_) {
    const std::string reports = childReports_->reports();
    EXPECT_TRUE(reports.empty()) << "a program started by this test wrote a sanitizer report:\n"
                                 << reports;
    childReports_.reset();
  }
}

VantrelAppDelegate& ShellTest::launch() {
  app_ = std::make_unique<VantrelAppDelegate>(env_, &dialogs_);
  EXPECT_TRUE(app_->applicationDidFinishLaunching());
  EXPECT_TRUE(waitFor([this] { return app_->window() != nullptr; }, 5000));
  return *app_;
}

VantrelAppDelegate& ShellTest::launchWithBackup(const QByteArrayList& names) {
  writeGridStore(names);
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  QDir().mkpath(backupDir());
  auto& app = launch();
  app.backup().setBackupFolder(backupDir());
  return app;
}

void ShellTest::writeGridStore(const QStringList& names) {
  QByteArrayList bytes;
  for (const QString& name : names) bytes << name.toUtf8();
  writeGridStore(bytes);
}

void ShellTest::writeGridStore(const QByteArrayList& names) {
  QDir().mkpath(env_.dataFolder);
  QFile file(env_.gridStorePath);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QByteArray text = "File Name,Notes,Count,Marker";
  for (const QByteArray& name : names) text += "\n" + name + ",,0,";
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
