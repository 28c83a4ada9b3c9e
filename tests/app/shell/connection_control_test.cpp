// Connecting, reconnecting and restarting the worker as the operator drives it, seen from both
// ends: the camera state here, and what the real worker received and answered.
#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <string>
#include <vector>

#include "main_window.h"
#include "shell_fixture.h"
#include "stray_workers.h"

namespace {

class ConnectionControlTest : public ShellTest {
 protected:
  VantrelAppDelegate& launchQuiet() {
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
    auto& app = launch();
    QObject::connect(&app.worker(), &WorkerSupervisor::lineReceived, &app,
                     [this](const std::string& line, bool) { lines_.push_back(line); });
    return app;
  }
  bool workerSaid(const std::string& line) {
    return waitFor([&] { return std::find(lines_.begin(), lines_.end(), line) != lines_.end(); });
  }
  bool connected() {
    return waitFor([this] { return app().camera().state().cameraConnected; });
  }
  static bool alive(qint64 pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0; }
  // Workers of this build other than the application's own.
  std::vector<pid_t> strays() {
    return vantrel::link::findStrayWorkers(
        VANTREL_WORKER_PATH, static_cast<pid_t>(app().worker().workerPid()), ::getuid());
  }
  QAction* autoConnectItem() {
    return static_cast<MainWindow*>(app().window())->cameraViews.autoConnectItem;
  }
  QVariant stored(const QString& key) {
    return QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether")).value(key);
  }

  std::vector<std::string> lines_;
};

TEST_F(ConnectionControlTest, AForcedReconnectEndsTheOldWorkerAndStraysThenConnectsAfresh) {
  auto& app = launchQuiet();
  app.camera().connectCameraManual();
  ASSERT_TRUE(connected());
  const qint64 first = app.worker().workerPid();
  // A worker left over from an earlier run of the application.
  QProcess stray;
  stray.start(QStringLiteral(VANTREL_WORKER_PATH),
              {path(QStringLiteral("tmp")), QStringLiteral("/nowhere.so"), QStringLiteral("disk")});
  ASSERT_TRUE(stray.waitForStarted());

  app.camera().forceCameraReconnect();
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Forcing camera session restart…");
  EXPECT_FALSE(app.camera().state().cameraConnected);
  EXPECT_FALSE(app.worker().workerRunning()) << "the old worker is let go at once";
  EXPECT_TRUE(waitFor([&] { return !alive(first); }, 3000));
  EXPECT_TRUE(waitFor([&] { return stray.state() == QProcess::NotRunning; }, 3000));
  EXPECT_EQ(stray.exitStatus(), QProcess::CrashExit);  // killed, not asked
  ASSERT_TRUE(connected());
  EXPECT_NE(app.worker().workerPid(), first);
  EXPECT_TRUE(strays().empty());
}

TEST_F(ConnectionControlTest, ConnectingAgainWhileTheWorkerLooksRestartsItWithTheNewSettings) {
  // The first worker would look for a camera for a long while.
  env().workerEnvironment[QStringLiteral("VANTREL_SIM_APPEAR_AFTER")] = QStringLiteral("1000");
  auto& app = launchQuiet();
  app.camera().connectCameraManual();
  ASSERT_TRUE(workerSaid("STATUS|Connecting to camera......"));
  const qint64 first = app.worker().workerPid();
  app.environment().workerEnvironment.remove(QStringLiteral("VANTREL_SIM_APPEAR_AFTER"));
  app.camera().connectCamera();
  EXPECT_TRUE(app.camera().state().restartingWorkerForConnect);
  ASSERT_TRUE(connected());
  EXPECT_NE(app.worker().workerPid(), first);
  EXPECT_FALSE(alive(first));
  EXPECT_TRUE(strays().empty());
}

TEST_F(ConnectionControlTest, ConnectToggledTwiceQuicklyEndsWithOneConnectedWorker) {
  auto& app = launchQuiet();
  app.camera().toggleCameraConnection();
  app.camera().toggleCameraConnection();
  ASSERT_TRUE(connected());
  QTest::qWait(1000);  // a second worker, had one been started, would be up by now
  EXPECT_TRUE(app.camera().state().cameraConnected);
  EXPECT_TRUE(strays().empty());
  EXPECT_TRUE(dialogs_.alerts.isEmpty());
  // Toggled again once connected, it disconnects.
  app.camera().toggleCameraConnection();
  EXPECT_FALSE(app.camera().state().connectRequested);
  EXPECT_TRUE(waitFor([&] { return !app.worker().workerRunning(); }, 5000));
}

TEST_F(ConnectionControlTest, AWorkerThatCannotStartIsExplained) {
  // Missing.
  env().workerPath = path(QStringLiteral("nowhere/vantrel_cpp_worker"));
  auto& app = launchQuiet();
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Worker Missing")) == 1; }));
  EXPECT_EQ(dialogs_.alerts.last().message, "Cannot find executable worker:\n" +
                                                path(QStringLiteral("nowhere/vantrel_cpp_worker")));
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Camera worker is missing.");
  EXPECT_EQ(app.status().lastStatusKind(), "error");

  // Present, but the system cannot run it.
  QFile broken(path(QStringLiteral("tmp/vantrel_cpp_worker")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("#!/nonexistent/interpreter\n");
  broken.close();
  broken.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  app.environment().workerPath = broken.fileName();
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Worker Launch Failed")) == 1; }));
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Unable to start camera worker.");

  // A target folder that went away since it was chosen.
  app.environment().workerPath = QStringLiteral(VANTREL_WORKER_PATH);
  QDir().mkpath(path(QStringLiteral("gone")));
  ASSERT_TRUE(app.filing().setTargetFolder(path(QStringLiteral("gone"))));
  QDir().rmdir(path(QStringLiteral("gone")));
  app.camera().connectCameraManual();
  ASSERT_TRUE(
      waitFor([&] { return dialogs_.count(QStringLiteral("Target Folder Missing")) == 1; }));
  EXPECT_EQ(dialogs_.alerts.last().message,
            "The selected Target Folder no longer exists. Please choose it again.");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Target folder missing.");
  EXPECT_FALSE(app.worker().workerRunning());
}

TEST_F(ConnectionControlTest, ANewTargetFolderIsToldToTheRunningWorker) {
  auto& app = launchQuiet();
  app.camera().connectCameraManual();
  ASSERT_TRUE(connected());
  QDir().mkpath(path(QStringLiteral("second")));
  ASSERT_TRUE(app.filing().setTargetFolder(path(QStringLiteral("second"))));
  EXPECT_TRUE(workerSaid("DOWNLOAD_DIR|" + path(QStringLiteral("second")).toStdString()));
}

TEST_F(ConnectionControlTest, TheAutoConnectToggleIsKeptAndDecidesWhetherTheTimerConnects) {
  auto& app = launchQuiet();
  app.filing().setTargetFolder(photos());
  EXPECT_FALSE(app.camera().state().autoConnect);
  app.camera().autoDetectTick();
  EXPECT_FALSE(app.worker().workerRunning());

  app.camera().toggleAutoConnect();
  EXPECT_TRUE(app.camera().state().autoConnect);
  EXPECT_TRUE(autoConnectItem()->isChecked());
  EXPECT_EQ(stored(QStringLiteral("VantrelAutoConnectV2")).toBool(), true);
  EXPECT_EQ(app.status().lastFriendlyStatus(),
            "Auto-connect ON: the camera connects on its own once a folder is set.");
  app.camera().autoDetectTick();
  EXPECT_TRUE(app.camera().state().autoInitiatedConnect);
  ASSERT_TRUE(connected());

  app.camera().disconnectCamera();
  app.camera().toggleAutoConnect();
  EXPECT_FALSE(app.camera().state().autoConnect);
  EXPECT_FALSE(autoConnectItem()->isChecked());
  EXPECT_EQ(stored(QStringLiteral("VantrelAutoConnectV2")).toBool(), false);
  EXPECT_EQ(app.status().lastFriendlyStatus(),
            "Auto-connect OFF: click Connect Camera to connect.");
  ASSERT_TRUE(waitFor([&] { return !app.worker().workerRunning(); }, 5000));
  app.camera().autoDetectTick();
  EXPECT_FALSE(app.worker().workerRunning());
}

TEST_F(ConnectionControlTest, ACounterOfNoneOrLettersIsNeverStored) {
  setStoredValue(QStringLiteral("VantrelLastCounterValue"), 7);
  auto& app = launchQuiet();
  ASSERT_EQ(app.filing().counterText(), "7");
  QLineEdit* field = static_cast<MainWindow*>(app.window())->filingViews.counterField;
  const auto type = [field](const QString& keys) {
    field->selectAll();
    QTest::keyClicks(field, keys);
  };
  type(QStringLiteral("0"));
  EXPECT_EQ(app.filing().counterText(), "0");
  EXPECT_EQ(stored(QStringLiteral("VantrelLastCounterValue")).toInt(), 7);
  type(QStringLiteral("abc"));
  EXPECT_EQ(app.filing().counterText(), "");
  EXPECT_EQ(stored(QStringLiteral("VantrelLastCounterValue")).toInt(), 7);
  type(QStringLiteral("1x2"));
  EXPECT_EQ(app.filing().counterText(), "12");
  EXPECT_EQ(stored(QStringLiteral("VantrelLastCounterValue")).toInt(), 12);
}

}  // namespace
