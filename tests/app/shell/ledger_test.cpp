// The shot ledger in the running application: every photo's row from the camera's announcement
// to its backup, the ones not accounted for on the status card and first in the window.
#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTableWidget>

#include "ledger_window.h"
#include "shell_fixture.h"

namespace {

using LedgerTest = ShellTest;

TEST_F(LedgerTest, EachShotIsOneRowFromAnnouncementToBackup) {
  auto& app = launchWithBackup({"Ann"});
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().watching; }));
  app.camera().takePhoto();
  ASSERT_TRUE(waitFor([&] { return app.list().names().capturedForModelRow(0) == 1; }));
  app.camera().takePhoto();
  ASSERT_TRUE(waitFor([&] { return app.list().names().capturedForModelRow(0) == 2; }));
  const auto& rows = app.ledger().ledger().rows();
  ASSERT_TRUE(waitFor([&] {
    app.ledger().refreshBackupStates();
    return rows.size() == 2 && rows[0].backup == "copied" && rows[1].backup == "copied";
  })) << (rows.empty() ? "" : rows.back().backup);
  EXPECT_EQ(rows[0].cameraFile, "IMG_0001.JPG");
  EXPECT_EQ(rows[1].cameraFile, "IMG_0002.JPG");
  EXPECT_EQ(rows[1].person, "Ann");
  EXPECT_EQ(rows[1].savedAs, (photos() + "/Ann/Ann_0002.JPG").toStdString());
  EXPECT_EQ(app.ledger().unaccountedToday(), 0u);

  app.ledger().saveNow();
  QFile file(env().dataFolder + "/shot_ledger.csv");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  ASSERT_GE(lines.size(), 3);
  EXPECT_EQ(lines[0], "Time,Camera File,Person,Saved As,Backup");
  EXPECT_TRUE(lines[1].endsWith(",IMG_0001.JPG,Ann," + (photos() + "/Ann/Ann_0001.JPG").toUtf8() +
                                ",copied"))
      << lines[1].toStdString();
}

TEST_F(LedgerTest, AShotThatNeverArrivesIsNotAccountedForOnTheCardAndFirstInTheWindow) {
  auto& app = launchWithBackup({"Ann"});
  app.ledger().setGraceMs(0);
  QFile download(photos() + "/IMG_0005.JPG");
  ASSERT_TRUE(download.open(QIODevice::WriteOnly));
  download.write(QByteArray(5000, 'p'));
  download.close();
  // One announced and downloaded and filed, one announced and never downloaded.
  app.ledger().workerLine("CAPTURE_EVENT|event=0x00000208|id=1");
  app.ledger().workerLine("CAPTURE_EVENT|event=0x00000208|id=2");
  app.ledger().workerLine("DOWNLOADED|" + download.fileName().toStdString() + "|id=1");
  feedLine("DOWNLOADED|" + download.fileName().toStdString() + "|id=1");
  ASSERT_TRUE(waitFor([&] { return app.list().names().capturedForModelRow(0) == 1; }));
  ASSERT_TRUE(waitFor([&] {
    app.ledger().refreshBackupStates();
    return app.ledger().unaccountedToday() == 1;
  }));
  app.status().refreshReadyStatusIfIdle();
  EXPECT_EQ(app.status().lastFriendlyStatus(), "1 photo not accounted for");

  app.ledger().showLedgerWindow();
  LedgerWindow* window = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<LedgerWindow*>(top)) window = found;
  }
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->table()->rowCount(), 2);
  EXPECT_EQ(window->table()->item(0, 0)->text(), "Not downloaded");
  EXPECT_EQ(window->table()->item(1, 2)->text(), "IMG_0005.JPG");
  window->close();
}

}  // namespace
