// Faults on a shoot day: the application killed in the middle of a burst, a full disk, and a
// camera library that hangs while it starts.
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <set>

#include "backup_queue_file.h"
#include "child_process.h"
#include "grid_store.h"
#include "names_list.h"
#include "shell_fixture.h"
#include "stray_workers.h"

namespace {

class FaultTest : public ShellTest {
 protected:
  // The application as a program of its own in this test's home, its camera shooting `shots`
  // photos of `bytes` bytes every `everyMs`.
  ChildProcess::Env childAppEnv(const char* everyMs, const char* shots, const char* bytes) const {
    return {{"QT_QPA_PLATFORM", "offscreen"},
            {"XDG_CONFIG_HOME", path(QStringLiteral("config")).toStdString()},
            {"XDG_DATA_HOME", path(QStringLiteral("data")).toStdString()},
            {"XDG_RUNTIME_DIR", path(QStringLiteral("run")).toStdString()},
            {"XDG_CACHE_HOME", path(QStringLiteral("cache")).toStdString()},
            {"HOME", path(QStringLiteral("home")).toStdString()},
            {"VANTREL_SDK_PATH", VANTREL_SIMCAM_PATH},
            {"VANTREL_SIM_AUTO_SHOOT_MS", everyMs},
            {"VANTREL_SIM_SHOTS", shots},
            {"VANTREL_SIM_IMAGE_BYTES", bytes}};
  }
};

QStringList imagesBelow(const QString& folder) {
  QStringList files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) files << it.next();
  return files;
}

TEST_F(FaultTest, TheApplicationKilledDuringABurstLosesNoPhoto) {
  writeGridStore({QStringLiteral("Ann"), QStringLiteral("Bob")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  setStoredValue(QStringLiteral("VantrelBackupDir"), path(QStringLiteral("backup")));
  setStoredValue(QStringLiteral("VantrelBackupEnabled"), true);
  QDir().mkpath(path(QStringLiteral("backup")));
  const ChildProcess::Env childEnv = childAppEnv("100", "30", "150000");
  {
    ChildProcess app(VANTREL_TETHER_PATH, {}, childEnv);
    // Kill it once the burst is well under way.
    ASSERT_TRUE(waitFor([&] { return imagesBelow(photos()).size() >= 8; }, 60000));
    ::kill(app.pid(), SIGKILL);
    EXPECT_EQ(app.wait_exit(std::chrono::seconds(5)), 128 + SIGKILL);
  }
  QTest::qWait(1500);  // the orphaned worker sees its input end and leaves

  // Every photo is there once, complete: filed, or still in the download folder under its
  // camera name.
  std::set<QByteArray> seen;
  const QStringList files = imagesBelow(photos());
  ASSERT_FALSE(files.isEmpty());
  for (const QString& file : files) {
    const QFileInfo info(file);
    EXPECT_FALSE(info.fileName().startsWith('.')) << "temporary file left: " << file.toStdString();
    EXPECT_EQ(info.size(), 150000) << file.toStdString();
    QFile content(file);
    ASSERT_TRUE(content.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        seen.insert(QCryptographicHash::hash(content.readAll(), QCryptographicHash::Md5)).second)
        << "the same photo twice: " << file.toStdString();
    if (info.dir().absolutePath() == QDir(photos()).absolutePath()) {
      EXPECT_TRUE(info.fileName().startsWith("IMG_")) << file.toStdString();
    }
  }
  // The list store and the backup queue still load.
  vantrel::names::NamesList list;
  vantrel::names::GridStore store(env().gridStorePath.toStdString());
  EXPECT_TRUE(store.loadGridFromDisk(list));
  EXPECT_EQ(list.rowCount(), 2);
  const auto queueFile =
      vantrel::backup::backupQueuePath(path(QStringLiteral("data")).toStdString());
  EXPECT_NO_THROW(vantrel::backup::loadBackupQueue(queueFile));

  // Started again, the application files nothing twice, counts what is on disk, and files what
  // the kill left under camera names once the operator says so.
  setStoredValue(QStringLiteral("VantrelLastSelectedRowIndex"), 0);
  dialogs_.answers = {0};
  auto& app = launch();
  const auto counted = [&] {
    return app.list().names().capturedForModelRow(0) + app.list().names().capturedForModelRow(1);
  };
  EXPECT_TRUE(waitFor([&] { return counted() == files.size(); })) << counted();
  EXPECT_TRUE(QDir(photos()).entryList({QStringLiteral("IMG_*")}, QDir::Files).isEmpty());
  EXPECT_EQ(imagesBelow(photos()).size(), files.size());
}

TEST_F(FaultTest, PhotosLeftUnderCameraNamesByAKilledApplicationAreOfferedAtTheNextLaunch) {
  writeGridStore({QStringLiteral("Ann"), QStringLiteral("Bob")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  setStoredValue(QStringLiteral("VantrelLastSelectedRowIndex"), 0);
  const ChildProcess::Env childEnv = childAppEnv("150", "2", "50000");
  {
    ChildProcess app(VANTREL_TETHER_PATH, {}, childEnv);
    ASSERT_TRUE(waitFor([&] { return imagesBelow(photos() + "/Ann").size() == 2; }, 60000));
    QTest::qWait(300);
    ::kill(app.pid(), SIGKILL);
    EXPECT_EQ(app.wait_exit(std::chrono::seconds(5)), 128 + SIGKILL);
  }
  QTest::qWait(1000);  // the orphaned worker sees its input end and leaves
  // What the crash left: three photos the worker wrote but nobody filed, and one it was still
  // writing.
  const QStringList left = {QStringLiteral("IMG_0009.JPG"), QStringLiteral("IMG_0003.JPG"),
                            QStringLiteral("IMG_0004.CR3")};
  for (int i = 0; i < left.size(); ++i) {
    QFile photo(photos() + "/" + left[i]);
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.write(left[i].toUtf8().repeated(1000));
    photo.close();
    std::filesystem::last_write_time(
        photo.fileName().toStdString(),
        std::filesystem::file_time_type::clock::now() - std::chrono::seconds(60 - i));
  }
  QFile(photos() + "/.IMG_0005.JPG.download").open(QIODevice::WriteOnly);

  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  dialogs_.answers = {0};
  auto& app = launch();
  ASSERT_EQ(dialogs_.count(QStringLiteral("Unfiled Photos Found")), 1);
  EXPECT_TRUE(dialogs_.alerts.last().message.startsWith("3 photos were"));
  ASSERT_TRUE(waitFor([&] { return app.list().names().capturedForModelRow(0) == 5; }));
  // Oldest first, with the numbers after the two filed before the crash.
  const QStringList expected = {"Ann_0003.JPG", "Ann_0004.JPG", "Ann_0005.CR3"};
  for (int i = 0; i < left.size(); ++i) {
    QFile filed(photos() + "/Ann/" + expected[i]);
    ASSERT_TRUE(filed.open(QIODevice::ReadOnly)) << expected[i].toStdString();
    EXPECT_EQ(filed.readAll(), left[i].toUtf8().repeated(1000));
  }
  EXPECT_EQ(app.list().names().capturedForModelRow(1), 0);
  EXPECT_TRUE(QFile::exists(photos() + "/.IMG_0005.JPG.download"));
}

// A burst of 20 shots at 80 ms with backup on; the photo bytes make each shot distinct.
class BurstTest : public FaultTest {
 protected:
  void SetUp() override {
    FaultTest::SetUp();
    writeGridStore({QStringLiteral("Ann")});
    setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
    QDir().mkpath(backup());
    env().workerEnvironment[QStringLiteral("VANTREL_SIM_AUTO_SHOOT_MS")] = QStringLiteral("80");
    env().workerEnvironment[QStringLiteral("VANTREL_SIM_SHOTS")] = QStringLiteral("20");
    env().workerEnvironment[QStringLiteral("VANTREL_SIM_IMAGE_BYTES")] = QStringLiteral("400000");
  }
  QString backup() const { return path(QStringLiteral("backup")); }

  // Every photo the worker downloaded is filed (none left under its camera name), counted,
  // stored, and copied or queued for the backup.
  void expectEveryDownloadFiled(VantrelAppDelegate& app) {
    const QStringList filed = imagesBelow(photos() + "/Ann");
    EXPECT_TRUE(QDir(photos()).entryList({QStringLiteral("IMG_*")}, QDir::Files).isEmpty());
    EXPECT_EQ(app.list().names().capturedForModelRow(0), filed.size());
    vantrel::names::NamesList stored;
    vantrel::names::GridStore store(env().gridStorePath.toStdString());
    ASSERT_TRUE(store.loadGridFromDisk(stored));
    EXPECT_EQ(stored.capturedForModelRow(0), filed.size());
    const auto queued = vantrel::backup::loadBackupQueue(
        vantrel::backup::backupQueuePath(path(QStringLiteral("data")).toStdString()));
    for (const QString& photo : filed) {
      const bool copied = QFile::exists(backup() + photo.mid(photos().size()));
      const bool waiting =
          std::find(queued.begin(), queued.end(), photo.toStdString()) != queued.end();
      EXPECT_TRUE(copied || waiting) << photo.toStdString();
    }
  }
};

TEST_F(BurstTest, QuitDuringABurstFilesCountsStoresAndQueuesEveryDownloadedPhoto) {
  {
    auto app = std::make_unique<VantrelAppDelegate>(env(), &dialogs_);
    ASSERT_TRUE(app->applicationDidFinishLaunching());
    ASSERT_TRUE(waitFor([&] { return app->window() != nullptr; }));
    ASSERT_TRUE(app->backup().setBackupFolder(backup()));
    app->camera().connectCameraManual();
    ASSERT_TRUE(waitFor([&] { return imagesBelow(photos() + "/Ann").size() >= 6; }, 30000));
    app->applicationWillTerminate();
    expectEveryDownloadFiled(*app);
  }
  // Started again, it counts the same.
  auto& app = launch();
  EXPECT_EQ(app.list().names().capturedForModelRow(0), imagesBelow(photos() + "/Ann").size());
}

TEST_F(BurstTest, AForcedReconnectDuringABurstLosesNoLineOfTheOldWorker) {
  auto& app = launch();
  ASSERT_TRUE(app.backup().setBackupFolder(backup()));
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return imagesBelow(photos() + "/Ann").size() >= 4; }, 30000));
  app.camera().forceCameraReconnect();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().watching; }, 30000));
  // The new worker's burst runs its course too; then everything is accounted for.
  ASSERT_TRUE(waitFor([&] { return imagesBelow(photos() + "/Ann").size() >= 24; }, 60000));
  QTest::qWait(1500);
  ASSERT_TRUE(waitFor([&] { return app.filing().filingIdle(); }));
  QTest::qWait(300);
  expectEveryDownloadFiled(app);
}

TEST_F(FaultTest, SigtermEndsTheApplicationInOrderWithItsSettingsSavedAndItsWorkerEnded) {
  writeGridStore({QStringLiteral("Ann")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  const ChildProcess::Env childEnv = childAppEnv("150", "3", "50000");
  ChildProcess app(VANTREL_TETHER_PATH, {}, childEnv);
  ASSERT_TRUE(waitFor([&] { return imagesBelow(photos() + "/Ann").size() == 3; }, 60000));
  QTest::qWait(500);
  ::kill(app.pid(), SIGTERM);
  EXPECT_EQ(app.wait_exit(std::chrono::seconds(8)), 0);
  // Its worker is gone with it, and what it counted is stored.
  EXPECT_TRUE(vantrel::link::findStrayWorkers(VANTREL_WORKER_PATH, 0, ::getuid()).empty());
  QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"));
  settings.sync();
  EXPECT_EQ(settings.value(QStringLiteral("VantrelLastCounterValue")).toLongLong(), 4);
  vantrel::names::NamesList list;
  vantrel::names::GridStore store(env().gridStorePath.toStdString());
  ASSERT_TRUE(store.loadGridFromDisk(list));
  EXPECT_EQ(list.capturedForModelRow(0), 3);
}

TEST_F(FaultTest, AFullDiskLeavesThePhotoWhereItIs) {
  const QString small = path(QStringLiteral("small"));
  QDir().mkpath(small);
  if (::mount("tmpfs", small.toLocal8Bit().constData(), "tmpfs", 0, "size=2m") != 0) {
    GTEST_SKIP() << "cannot mount a small file system here (needs privileges)";
  }
  writeGridStore({QStringLiteral("Ann")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), small);
  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  auto& app = launch();
  QFile download(small + "/IMG_0001.JPG");
  ASSERT_TRUE(download.open(QIODevice::WriteOnly));
  download.write(QByteArray(100000, 'p'));
  download.close();
  QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
  feedLine("DOWNLOADED|" + download.fileName().toStdString());
  ASSERT_TRUE(waitFor([&] { return filed.count() == 1; }));
  EXPECT_EQ(filed.first().at(1).toString(),
            "Laptop storage is full or almost full. Free up space before continuing.");
  EXPECT_TRUE(QFile::exists(download.fileName()));
  EXPECT_EQ(app.list().names().capturedForModelRow(0), 0);
  app.applicationWillTerminate();
  ::umount(small.toLocal8Bit().constData());
}

TEST_F(FaultTest, ALibraryThatHangsOnStartIsRestartedAndConnects) {
  const QString marker = path(QStringLiteral("hang-once"));
  QFile(marker).open(QIODevice::WriteOnly);
  env().workerEnvironment[QStringLiteral("VANTREL_SIM_INIT_DELAY_MS")] = QStringLiteral("60000");
  env().workerEnvironment[QStringLiteral("VANTREL_SIM_INIT_DELAY_ONCE")] = marker;
  env().workerEnvironment[QStringLiteral("VANTREL_CPP_SDK_STARTUP_TIMEOUT")] = QStringLiteral("1");
  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  auto& app = launch();
  app.filing().setTargetFolder(photos());
  app.camera().connectCameraManual();
  // The watchdog ends the hanging worker after 4 s; the reconnect starts a fresh one.
  ASSERT_TRUE(
      waitFor([&] { return dialogs_.count(QStringLiteral("Camera Disconnected")) == 1; }, 15000));
  ASSERT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }, 20000));
  EXPECT_FALSE(QFile::exists(marker));
}

}  // namespace
