// Start-up on a clean machine and after earlier runs, the single-instance guard, statuses.
#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QTest>

#include "shell_fixture.h"

namespace {

using LaunchTest = ShellTest;

TEST_F(LaunchTest, FirstStartOnACleanMachine) {
  auto& app = launch();
  EXPECT_TRUE(app.filing().targetDir().isEmpty());
  EXPECT_TRUE(app.list().names().isEmpty());
  EXPECT_TRUE(app.camera().state().autoConnect);
  EXPECT_EQ(app.camera().state().saveModeIndex, 0);
  EXPECT_EQ(app.camera().selectedSaveModeLower(), "both");
  EXPECT_EQ(app.filing().counterText(), "1");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Setup needed");
  EXPECT_EQ(app.status().cameraStatusText(), "No folder");
  EXPECT_FALSE(app.worker().workerRunning());  // no worker before the first connect
  EXPECT_TRUE(dialogs_.alerts.isEmpty());
}

TEST_F(LaunchTest, RestoresFolderCounterListAndSelection) {
  QFile csv(path(QStringLiteral("class.csv")));
  ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
  csv.write("Name,Room\nAnn,1\nBob,2\nCy,3\n");
  csv.close();
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  setStoredValue(QStringLiteral("VantrelLastCSVPath"), csv.fileName());
  setStoredValue(QStringLiteral("VantrelLastCounterValue"), 42);
  setStoredValue(QStringLiteral("VantrelLastSelectedRowIndex"), 2);
  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  auto& app = launch();
  EXPECT_EQ(app.filing().targetDir(), photos());
  EXPECT_EQ(app.filing().counterText(), "42");
  EXPECT_FALSE(app.camera().state().autoConnect);
  ASSERT_EQ(app.list().names().rowCount(), 3);  // rebuilt from the CSV without a store
  EXPECT_EQ(app.list().names().selectedRow(), 2);
  EXPECT_TRUE(QFile::exists(env().gridStorePath)) << "the rebuilt list is stored at once";
  EXPECT_EQ(app.status().cameraStatusText(), "Auto off");
}

TEST_F(LaunchTest, AStoredRowBeyondTheListSelectsTheFirst) {
  writeGridStore({QStringLiteral("Ann"), QStringLiteral("Bob")});
  setStoredValue(QStringLiteral("VantrelLastSelectedRowIndex"), 12);
  auto& app = launch();
  EXPECT_EQ(app.list().names().selectedRow(), 0);
}

TEST_F(LaunchTest, ASecondCopyIsRefusedAndTheFirstKeepsItsLock) {
  auto& first = launch();
  ASSERT_TRUE(first.window());
  VantrelAppDelegate second(env(), &dialogs_);
  EXPECT_FALSE(second.applicationDidFinishLaunching());
  ASSERT_EQ(dialogs_.alerts.size(), 1);
  EXPECT_EQ(dialogs_.alerts[0].title, "Vantrel Photo Tether is already open");
  EXPECT_EQ(dialogs_.alerts[0].message,
            "Only one instance can run at a time. Please use the existing Vantrel Photo Tether "
            "window.");
  QFile lock(env().lockPath);
  ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
  EXPECT_EQ(lock.readAll(), QByteArray::number(QCoreApplication::applicationPid()) + "\n");
}

TEST_F(LaunchTest, AStatusHoldsUntilThreeAndAHalfSecondsAfterTheLastOne) {
  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);  // no camera statuses meanwhile
  auto& app = launch();
  app.status().setStatus(QStringLiteral("first"), QStringLiteral("good"));
  QTest::qWait(2000);
  app.status().setStatus(QStringLiteral("second"), QStringLiteral("error"));
  QTest::qWait(2500);  // the first one's time is up, but it must not clear the second
  EXPECT_EQ(app.status().lastFriendlyStatus(), "second");
  EXPECT_TRUE(waitFor([&] { return app.status().lastFriendlyStatus() == "Setup needed"; }, 5000));
}

TEST_F(LaunchTest, AFolderWithABarIsRefusedAndTheOldOneKept) {
  auto& app = launch();
  ASSERT_TRUE(app.filing().setTargetFolder(photos()));
  QDir().mkpath(path(QStringLiteral("a|b")));
  dialogs_.folders.push_back(path(QStringLiteral("a|b")));
  app.filing().selectFolder();
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Folder Not Usable")) == 1; }));
  EXPECT_EQ(app.filing().targetDir(), photos());
}

}  // namespace

namespace {

TEST_F(LaunchTest, ADarkDesktopThemeStillGetsTheLightPalette) {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(30, 30, 30));
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  dark.setColor(QPalette::Text, Qt::white);
  QApplication::setPalette(dark);
  auto& app = launch();
  const QPalette shown = app.window()->palette();
  EXPECT_GT(shown.color(QPalette::Window).lightness(), 200);
  EXPECT_GT(shown.color(QPalette::Base).lightness(), 200);
  EXPECT_LT(shown.color(QPalette::Text).lightness(), 100);
}

}  // namespace
