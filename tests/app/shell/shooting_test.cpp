// The whole loop: a connected simulated camera, a shot, and the photo filed, counted and shown.
#include <signal.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "shell_fixture.h"

namespace {

class ShootingTest : public ShellTest {
 protected:
  VantrelAppDelegate& launchWatching(const QStringList& names = {QStringLiteral("Ann"),
                                                                 QStringLiteral("Bob")}) {
    writeGridStore(names);
    setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
    auto& app = launch();
    app.camera().connectCameraManual();
    EXPECT_TRUE(waitFor([&] {
      return app.camera().state().watching && app.status().lastFriendlyStatus() == "Capturing";
    }));
    return app;
  }

  // Takes a photo through the worker and waits until it is filed.
  QString shoot(VantrelAppDelegate& app) {
    QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
    app.camera().takePhoto();
    if (!waitFor([&] { return filed.count() > 0; })) return {};
    return filed.first().at(0).toString();
  }
};

TEST_F(ShootingTest, AShotIsFiledCountedStoredAndPreviewed) {
  auto& app = launchWatching();
  const QString saved = shoot(app);
  EXPECT_EQ(saved, photos() + "/Ann/Ann_0001.JPG");
  EXPECT_TRUE(QFileInfo(saved).size() > 0);
  EXPECT_FALSE(QFile::exists(photos() + "/IMG_0001.JPG")) << "the download was moved, not copied";
  EXPECT_EQ(app.list().names().capturedForModelRow(0), 1);
  EXPECT_EQ(app.filing().counterText(), "2");
  QFile store(env().gridStorePath);
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_TRUE(store.readAll().contains("\nAnn,,1,"));
  EXPECT_TRUE(waitFor([&] { return app.preview().currentPreviewPath() == saved; }, 3000));
  EXPECT_EQ(app.preview().previewIndex(), 0);
}

TEST_F(ShootingTest, TheCounterRunsAcrossPeopleAndSkipsTakenNumbers) {
  QDir().mkpath(photos() + "/Bob");
  QFile(photos() + "/Bob/Bob_0002.JPG").open(QIODevice::WriteOnly);
  auto& app = launchWatching();
  EXPECT_EQ(shoot(app), photos() + "/Ann/Ann_0001.JPG");
  app.list().moveGridSelectionBy(1);
  EXPECT_EQ(app.list().names().selectedRow(), 1);
  EXPECT_EQ(shoot(app), photos() + "/Bob/Bob_0003.JPG");
  EXPECT_EQ(app.filing().counterText(), "4");
  EXPECT_EQ(app.list().names().capturedForModelRow(1), 2);  // the recount at start saw Bob_0002 too
}

TEST_F(ShootingTest, AKilledWorkerIsReplacedAndShootingGoesOn) {
  auto& app = launchWatching();
  ASSERT_FALSE(shoot(app).isEmpty());
  const qint64 pid = app.worker().workerPid();
  ASSERT_GT(pid, 0);
  ::kill(static_cast<pid_t>(pid), SIGKILL);
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Camera Disconnected")) == 1; }));
  ASSERT_TRUE(
      waitFor([&] { return app.camera().state().watching && app.worker().workerPid() != pid; }));
  const QString saved = shoot(app);
  EXPECT_TRUE(saved.startsWith(photos() + "/Ann/Ann_")) << saved.toStdString();
  EXPECT_EQ(app.list().names().capturedForModelRow(0), 2);
}

TEST_F(ShootingTest, PhotosAreFiledUnderTheSelectedPersonWhileTheWindowIsBlocked) {
  auto& app = launchWatching();
  app.list().moveGridSelectionBy(1);  // Bob, published for filing before the window stalls
  app.camera().takePhoto();
  app.camera().takePhoto();
  // The window's thread serves no events at all from here: the worker's lines are read, and the
  // photos filed, on threads of their own.
  const QString first = photos() + "/Bob/Bob_0001.JPG";
  const QString second = photos() + "/Bob/Bob_0002.JPG";
  QElapsedTimer blocked;
  blocked.start();
  while (!(QFile::exists(first) && QFile::exists(second)) && blocked.elapsed() < 20000) {
    QThread::msleep(10);
  }
  EXPECT_TRUE(QFile::exists(first));
  EXPECT_TRUE(QFile::exists(second));
  // Once the window is back, both are counted and the counter follows.
  ASSERT_TRUE(waitFor([&] { return app.list().names().capturedForModelRow(1) == 2; }));
  EXPECT_EQ(app.filing().counterText(), "3");
  EXPECT_EQ(app.list().names().capturedForModelRow(0), 0);
}

TEST_F(ShootingTest, TheSamePathAnnouncedTwiceIsFiledOnce) {
  writeGridStore({QStringLiteral("Ann")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  auto& app = launch();
  QFile download(photos() + "/IMG_0100.JPG");
  ASSERT_TRUE(download.open(QIODevice::WriteOnly));
  download.write(QByteArray(1000, 'x'));
  download.close();
  QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
  feedLine("DOWNLOADED|" + download.fileName().toStdString());
  feedLine("DOWNLOADED|" + download.fileName().toStdString());
  ASSERT_TRUE(waitFor([&] { return filed.count() >= 1; }));
  QTest::qWait(300);
  EXPECT_EQ(filed.count(), 1);
  EXPECT_EQ(app.list().names().capturedForModelRow(0), 1);
}

TEST_F(ShootingTest, WorkerOutputCutInsideACharacterOrCarryingABadLineLosesNoPhoto) {
  writeGridStore({QStringLiteral("Ann")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  auto& app = launch();
  const QString first = photos() + QStringLiteral("/IMG_Zo\u00eb1.JPG");
  const QString second = photos() + "/IMG_0002.JPG";
  for (const QString& name : {first, second}) {
    QFile download(name);
    ASSERT_TRUE(download.open(QIODevice::WriteOnly));
    download.write(QByteArray(1000, 'x'));
  }
  QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
  const QByteArray line = "DOWNLOADED|" + first.toUtf8() + "\n";
  const qsizetype cut = line.indexOf("\xc3\xab") + 1;  // between the two bytes of the e
  app.worker().consumeWorkerChunk(line.left(cut));
  app.worker().consumeWorkerChunk(line.mid(cut) + "LOG|bad \xff byte\nDOWNLOADED|" +
                                  second.toUtf8() + "\n");
  ASSERT_TRUE(waitFor([&] { return filed.count() == 2; }));
  EXPECT_EQ(filed.at(0).at(0).toString(), photos() + "/Ann/Ann_0001.JPG");
  EXPECT_EQ(filed.at(1).at(0).toString(), photos() + "/Ann/Ann_0002.JPG");
}

TEST_F(ShootingTest, ThePreviewShowsTheLastPhotoAskedForEvenWhenAnEarlierOneReadsSlower) {
  writeGridStore({QStringLiteral("Ann")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  auto& app = launch();
  QImage big(8000, 4000, QImage::Format_RGB32);
  big.fill(Qt::darkGreen);
  ASSERT_TRUE(big.save(photos() + "/big.jpg"));
  QImage small(300, 200, QImage::Format_RGB32);
  small.fill(Qt::white);
  ASSERT_TRUE(small.save(photos() + "/small.jpg"));
  app.preview().showPreviewPath((photos() + "/big.jpg").toStdString(), true);
  app.preview().showPreviewPath((photos() + "/small.jpg").toStdString(), false);
  ASSERT_TRUE(
      waitFor([&] { return app.preview().currentPreviewPath() == photos() + "/small.jpg"; }, 5000));
  QTest::qWait(1500);  // the big one, if it were still read, would have arrived by now
  EXPECT_EQ(app.preview().currentPreviewPath(), photos() + "/small.jpg");
}

TEST_F(ShootingTest, WithoutATargetFolderTheDownloadStaysAndAWriteErrorShows) {
  writeGridStore({QStringLiteral("Ann")});
  auto& app = launch();
  QFile download(path("tmp/IMG_0007.JPG"));
  ASSERT_TRUE(download.open(QIODevice::WriteOnly));
  download.write(QByteArray(1000, 'x'));
  download.close();
  QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
  feedLine("DOWNLOADED|" + download.fileName().toStdString());
  ASSERT_TRUE(waitFor([&] { return filed.count() == 1; }));
  EXPECT_TRUE(QFile::exists(download.fileName()));
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Write Error")) == 1; }));
  EXPECT_EQ(app.status().lastStatusKind(), "error");
}

TEST_F(ShootingTest, ScreenshotOfAWorkingWindow) {
  auto& app = launchWatching(
      {QStringLiteral("Ann Lee"), QStringLiteral("Bob Stone"), QStringLiteral("Cy Young")});
  ASSERT_FALSE(shoot(app).isEmpty());
  ASSERT_TRUE(waitFor([&] { return !app.preview().currentPreviewPath().isEmpty(); }, 3000));
  QTest::qWait(200);
  const QString folder = qEnvironmentVariable("VANTREL_SCREENSHOT_DIR");
  if (folder.isEmpty()) GTEST_SKIP() << "set VANTREL_SCREENSHOT_DIR to keep a screenshot";
  QDir().mkpath(folder);
  EXPECT_TRUE(app.window()->grab().save(folder + "/main_window.png"));
  auto* popover = app.window()->findChild<QWidget*>(QStringLiteral("settingsPopover"));
  ASSERT_TRUE(popover);
  popover->adjustSize();
  EXPECT_TRUE(popover->grab().save(folder + "/settings_popover.png"));
}

}  // namespace
