// The camera flags, alerts and reconnects driven by the worker's lines and by the operator.
#include <signal.h>

#include <QFileInfo>
#include <QTest>

#include "shell_fixture.h"

namespace {

using CameraControlTest = ShellTest;

TEST_F(CameraControlTest, ACommandWithoutAWorkerIsDroppedSilently) {
  auto& app = launch();
  const QString before = app.status().lastFriendlyStatus();
  app.worker().sendWorkerLine(QStringLiteral("PUMP_ACTIVE"));
  EXPECT_EQ(app.status().lastFriendlyStatus(), before);
  EXPECT_FALSE(app.worker().workerRunning());
}

TEST_F(CameraControlTest, DisconnectCallsOffAPlannedRestartOrReconnect) {
  writeGridStore({QStringLiteral("Ann")});
  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  auto& app = launch();
  app.filing().setTargetFolder(photos());
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }));
  // A forced reconnect plans a new connect in a moment; Disconnect comes first.
  app.camera().forceCameraReconnect();
  app.camera().disconnectCamera();
  QTest::qWait(3000);
  EXPECT_FALSE(app.worker().workerRunning());
  EXPECT_FALSE(app.camera().state().cameraConnected);
  // And a connect that restarts a worker still starting.
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.worker().workerRunning(); }));
  app.camera().connectCamera();
  app.camera().disconnectCamera();
  QTest::qWait(2500);
  EXPECT_FALSE(app.worker().workerRunning());
  EXPECT_FALSE(app.camera().state().cameraConnected);
}

TEST_F(CameraControlTest, WithoutATargetFolderDownloadsWaitInAPrivateFolderThatSurvivesAReboot) {
  auto& app = launch();
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.worker().workerRunning(); }));
  const QFileInfo folder(env().unsetDownloadFolder);
  EXPECT_TRUE(folder.isDir());
  EXPECT_TRUE(folder.absoluteFilePath().startsWith(path(QStringLiteral("cache"))));
  EXPECT_EQ(folder.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
            QFile::Permissions());
}

TEST_F(CameraControlTest, TwoDisconnectsInTwoSecondsGiveOneAlertAndOneReconnect) {
  env().workerEnvironment[QStringLiteral("VANTREL_SIM_CAMERAS")] = QStringLiteral("1");
  auto& app = launch();
  app.filing().setTargetFolder(photos());
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }));
  feedLine("DISCONNECTED|Camera shutdown/disconnect detected by native C++ worker.");
  feedLine("DISCONNECTED|Camera shutdown/disconnect detected by native C++ worker.");
  EXPECT_TRUE(app.camera().state().autoReconnectScheduled);
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Camera Disconnected")) >= 1; }));
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Camera disconnected. Retrying automatically...");
  // The one reconnect restarts the worker and connects again.
  ASSERT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }));
  EXPECT_EQ(dialogs_.count(QStringLiteral("Camera Disconnected")), 1);
}

TEST_F(CameraControlTest, AutoConnectWithoutACameraKeepsLooking) {
  env().workerEnvironment[QStringLiteral("VANTREL_SIM_CAMERAS")] = QStringLiteral("0");
  auto& app = launch();
  app.filing().setTargetFolder(photos());
  app.camera().autoDetectTick();
  EXPECT_TRUE(app.camera().state().autoInitiatedConnect);
  EXPECT_EQ(app.status().cameraStatusText(), "Searching…");
  feedLine(
      "ERROR|Camera not detected by native C++ EDSDK worker. LastErr=0x00000080 "
      "camera_added_seen=0 detect_strategy=matrix");
  EXPECT_EQ(app.status().lastFriendlyStatus(),
            "Looking for camera... (plug in and power on your camera)");
  EXPECT_TRUE(app.camera().state().cameraError.empty());
  EXPECT_TRUE(dialogs_.alerts.isEmpty());
}

TEST_F(CameraControlTest, AManualConnectReportsAMissingCameraAsAnError) {
  auto& app = launch();
  app.filing().setTargetFolder(photos());
  app.camera().connectCameraManual();
  feedLine("ERROR|Camera not detected by native C++ EDSDK worker. LastErr=0x00000080");
  EXPECT_EQ(app.status().lastFriendlyStatus(),
            "Camera not detected. Check USB/camera power. Retrying...");
  EXPECT_EQ(app.status().cameraStatusText(), "Connecting…");  // still wanted: a retry follows
}

TEST_F(CameraControlTest, AfterDisconnectThePillSaysSoAndTheTimerStaysQuiet) {
  auto& app = launch();
  app.filing().setTargetFolder(photos());
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }));
  app.camera().disconnectCamera();
  EXPECT_EQ(app.status().cameraStatusText(), "Disconnected");
  EXPECT_EQ(app.status().cameraStatusTooltip(), "Camera: Unplug and replug to reconnect");
  ASSERT_TRUE(waitFor([&] { return !app.worker().workerRunning(); }, 5000));
  app.camera().autoDetectTick();
  EXPECT_FALSE(app.worker().workerRunning());
  EXPECT_FALSE(app.camera().state().connectRequested);
  EXPECT_EQ(dialogs_.count(QStringLiteral("Camera Disconnected")), 0);
}

TEST_F(CameraControlTest, WatchingStartsOnlyWithCameraFolderAndNames) {
  auto& app = launch();
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }));
  EXPECT_FALSE(app.camera().state().watching);  // no folder, no names
  app.filing().setTargetFolder(photos());
  EXPECT_FALSE(app.camera().state().watching);  // no names yet
  app.list().names().appendFirstColumn({"Ann"});
  app.camera().updateAutoWatch();
  EXPECT_TRUE(app.camera().state().watching);
  EXPECT_TRUE(waitFor([&] { return app.status().lastFriendlyStatus() == "Capturing"; }));
}

TEST_F(CameraControlTest, AShotWhileNotWatchingWarnsOnce) {
  auto& app = launch();
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }));
  feedLine("CAPTURE_EVENT|event=0x00000208|id=1");
  feedLine("CAPTURE_EVENT|event=0x00000208|id=2");
  EXPECT_EQ(app.status().lastFriendlyStatus(),
            "Not watching — photos are ignored. Click Start before shooting.");
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Not Watching Yet")) == 1; }));
  QTest::qWait(50);
  EXPECT_EQ(dialogs_.count(QStringLiteral("Not Watching Yet")), 1);
}

TEST_F(CameraControlTest, CardWarningOncePerConnectAndNeverAfterDisconnect) {
  auto& app = launch();
  app.camera().connectCameraManual();
  feedLine("WARN|CARD_MISSING|Camera card is not detected.");
  feedLine("WARN|CARD_MISSING|Camera card is not detected.");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "No camera memory card detected.");
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Memory Card Required")) == 1; }));
  app.camera().disconnectCamera();
  feedLine("WARN|CARD_MISSING|Camera card is not detected.");
  QTest::qWait(50);
  EXPECT_EQ(dialogs_.count(QStringLiteral("Memory Card Required")), 1);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Camera disconnected.");
}

TEST_F(CameraControlTest, SaveModeIsSentWhileConnectedAndNotWatching) {
  auto& app = launch();
  QObject listening;  // the worker's answers are heard while this test runs
  bool answered = false;
  QObject::connect(&app.worker(), &WorkerSupervisor::lineReceived, &listening,
                   [&](const std::string& line, bool) { answered |= line == "SAVE_DEST|card"; });
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }));
  app.camera().selectDestination(2);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Save mode changed to CARD.");
  EXPECT_EQ(app.camera().selectedSaveModeLower(), "card");
  EXPECT_TRUE(waitFor([&] { return answered; })) << "the worker never set the card mode";
}

}  // namespace
