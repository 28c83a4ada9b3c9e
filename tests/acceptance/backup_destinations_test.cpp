// Backup destinations as photographers have them, through the real application, worker and
// simulated camera: a drive that refuses permission changes, photos that can never be copied,
// names the drive refuses, a target folder that goes away, folders renamed while their photos
// wait, a backup folder inside the target, an unplugged drive's empty mount point, a backup folder
// reused from an earlier job, a full drive. After each, every photo shot is in the target folder
// once and is either in the backup with identical bytes, or waiting, or on the could-not-back-up
// list with its reason; nothing already in the backup was replaced or deleted.
//
// The drive's faults come from a preloaded library (this test runs with it in LD_PRELOAD) that
// reads $VANTREL_FAULT and $VANTREL_FAULT_FOLDER at every call, and from a mount table of the
// test's own.
#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <map>

#include "shell_fixture.h"

namespace {

constexpr int kPhotoBytes = 60000;

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::map<QString, QByteArray> filesBelow(const QString& folder) {
  std::map<QString, QByteArray> files;
  QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    files[file] = contents(file);
  }
  return files;
}

std::string mountLine(int id, const QString& point) {
  return std::to_string(id) + " 1 0:" + std::to_string(id) + " / " + point.toStdString() +
         " rw,relatime shared:" + std::to_string(id) + " - ext4 /dev/vd" +
         static_cast<char>('a' + id) + " rw\n";
}

class BackupDestinations : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    if (qEnvironmentVariable("LD_PRELOAD").isEmpty()) {
      GTEST_SKIP() << "runs with the drive-fault library preloaded (ctest does that)";
    }
    env().workerEnvironment[QStringLiteral("VANTREL_SIM_IMAGE_BYTES")] =
        QString::number(kPhotoBytes);
    env().mountInfoFile = path(QStringLiteral("mountinfo"));
    plugDrive(true);
    QDir().mkpath(backupDir());
    writeGridStore({QStringLiteral("Ann"), QStringLiteral("Bob")});
    setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  }
  void TearDown() override {
    setFault({}, {});
    ShellTest::TearDown();
  }

  QString backupDir() const { return path(QStringLiteral("drive/backup")); }

  // The backup drive mounted at <home>/drive, or its mount point left behind on the system disk.
  void plugDrive(bool plugged) {
    std::string table = mountLine(1, QStringLiteral("/"));
    if (plugged) table += mountLine(2, path(QStringLiteral("drive")));
    QFile file(path(QStringLiteral("mountinfo")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(table));
  }

  static void setFault(const QString& kind, const QString& folder) {
    qputenv("VANTREL_FAULT", kind.toUtf8());
    qputenv("VANTREL_FAULT_FOLDER", folder.toUtf8());
  }

  VantrelAppDelegate& launchShooting() {
    auto& app = launch();
    EXPECT_TRUE(app.backup().setBackupFolder(backupDir()));
    app.camera().connectCameraManual();
    EXPECT_TRUE(waitFor([&] { return app.camera().state().watching; }));
    return app;
  }

  QString shoot(VantrelAppDelegate& app, int row = 0) {
    app.list().names().setSelectedRow(row);
    app.list().selectModelRowInTable(row, true);
    QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
    app.camera().takePhoto();
    if (!waitFor([&] { return filed.count() > 0; })) return {};
    return filed.first().at(0).toString();
  }

  // Lets the queue run until it has nothing it can do now.
  void settle(VantrelAppDelegate& app) {
    waitFor([&] { return !app.backup().backup().busy(); }, 10000);
    QTest::qWait(300);
    waitFor([&] { return !app.backup().backup().busy(); }, 10000);
  }

  // "Retry Backup Now" once the copy under way (begun while the drive was away) has ended.
  void retry(VantrelAppDelegate& app) {
    waitFor([&] { return !app.backup().backup().busy(); }, 10000);
    app.backup().retryBackupNow();
    settle(app);
  }

  // The backup holds `photo`'s bytes at its mirror path or beside it ("<stem> (2).<ext>", ...).
  bool inBackup(const QString& photo) const {
    const QByteArray bytes = contents(photo);
    const QString mirror = backupDir() + photo.mid(photos().size());
    const QFileInfo info(mirror);
    QStringList candidates{mirror};
    for (int n = 2; n < 10; ++n) {
      candidates << info.path() + QStringLiteral("/%1 (%2).%3")
                                      .arg(info.completeBaseName())
                                      .arg(n)
                                      .arg(info.suffix());
    }
    for (const QString& candidate : candidates) {
      if (QFile::exists(candidate) && contents(candidate) == bytes) return true;
    }
    return false;
  }

  void expectEveryPhotoAccountedFor(VantrelAppDelegate& app, const QStringList& shot) {
    const auto& backup = app.backup().backup();
    for (const QString& photo : shot) {
      ASSERT_FALSE(photo.isEmpty());
      EXPECT_TRUE(QFile::exists(photo)) << photo.toStdString();
      const std::string bytes = photo.toStdString();
      const bool failed = backup.failedBackups().contains(bytes);
      EXPECT_TRUE(inBackup(photo) || backup.queue().contains(bytes) || failed)
          << photo.toStdString() << " is neither backed up, nor waiting, nor listed";
      if (failed) {
        for (const auto& entry : backup.failedBackups().entries()) {
          if (entry.path == bytes) {
            EXPECT_FALSE(entry.reason.empty());
          }
        }
      }
    }
    // Once in the target folder: no photo was filed twice.
    std::map<QByteArray, int> copies;
    for (const auto& [file, data] : filesBelow(photos())) ++copies[data];
    for (const auto& [data, count] : copies) EXPECT_EQ(count, 1);
  }

  static void expectUntouched(const std::map<QString, QByteArray>& before) {
    for (const auto& [file, data] : before) {
      EXPECT_TRUE(QFile::exists(file)) << file.toStdString() << " was deleted";
      EXPECT_EQ(contents(file), data) << file.toStdString() << " was replaced";
    }
  }
};

TEST_F(BackupDestinations, ADriveThatRefusesPermissionChangesTakesEveryCopy) {
  setFault(QStringLiteral("chmod"), backupDir());
  auto& app = launchShooting();
  const QStringList shot = {shoot(app), shoot(app, 1)};
  settle(app);
  for (const QString& photo : shot) EXPECT_TRUE(inBackup(photo)) << photo.toStdString();
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, PhotosThatCanNeverBeCopiedStepAsideAndTheRestGoOn) {
  auto& app = launchShooting();
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive")), path(QStringLiteral("drive-away"))));
  QStringList shot = {shoot(app), shoot(app)};
  // First in the queue: an empty photo and one that cannot be read.
  QFile(shot[0]).resize(0);
  setFault(QStringLiteral("unreadable"), shot[1]);
  shot << shoot(app, 1);
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive-away")), path(QStringLiteral("drive"))));
  retry(app);
  const auto& failed = app.backup().backup().failedBackups();
  EXPECT_TRUE(failed.contains(shot[0].toStdString()));
  EXPECT_TRUE(failed.contains(shot[1].toStdString()));
  EXPECT_TRUE(inBackup(shot[2]));
  EXPECT_TRUE(app.backup().backup().queue().empty());
  setFault({}, {});  // this test reads the photos too
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, ANameTheDriveRefusesIsListedWithItsReason) {
  setFault(QStringLiteral("names"), backupDir() + "/Bob");
  auto& app = launchShooting();
  const QStringList shot = {shoot(app, 1), shoot(app, 0)};
  settle(app);
  ASSERT_EQ(app.backup().backup().failedBackups().size(), 1u);
  EXPECT_EQ(app.backup().backup().failedBackups().entries()[0].path, shot[0].toStdString());
  EXPECT_TRUE(inBackup(shot[1]));
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, PhotosWaitWhileTheTargetFolderIsAwayAndFollowARenamedFolder) {
  auto& app = launchShooting();
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive")), path(QStringLiteral("drive-away"))));
  QStringList shot = {shoot(app), shoot(app)};
  settle(app);
  // The target folder's drive goes away too: the waiting photos are not taken for deleted.
  ASSERT_TRUE(QDir().rename(photos(), photos() + "-away"));
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive-away")), path(QStringLiteral("drive"))));
  retry(app);
  EXPECT_EQ(app.backup().backup().queue().size(), 2u);
  EXPECT_TRUE(app.backup().backup().failedBackups().empty());
  ASSERT_TRUE(QDir().rename(photos() + "-away", photos()));
  // Renamed while they wait: their entries follow them.
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive")), path(QStringLiteral("drive-away"))));
  app.repair().applyFolderRenameFrom(photos() + "/Ann", QStringLiteral("Anna"));
  shot = {photos() + "/Anna/Anna_0001.JPG", photos() + "/Anna/Anna_0002.JPG"};
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive-away")), path(QStringLiteral("drive"))));
  retry(app);
  for (const QString& photo : shot) EXPECT_TRUE(inBackup(photo)) << photo.toStdString();
  EXPECT_TRUE(app.backup().backup().failedBackups().empty());
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, ABackupFolderInsideTheTargetIsRefused) {
  auto& app = launchShooting();
  QDir().mkpath(photos() + "/backup");
  EXPECT_FALSE(app.backup().setBackupFolder(photos() + "/backup"));
  const QStringList shot = {shoot(app)};
  settle(app);
  EXPECT_TRUE(inBackup(shot[0]));
  EXPECT_FALSE(QFile::exists(photos() + "/backup/Ann/Ann_0001.JPG"));
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, AnUnpluggedDrivesMountPointTakesNoCopy) {
  auto& app = launchShooting();
  QStringList shot = {shoot(app)};
  settle(app);
  EXPECT_TRUE(inBackup(shot[0]));
  // Unplugged: the folder is still there, on the system disk now.
  plugDrive(false);
  shot << shoot(app);
  settle(app);
  EXPECT_FALSE(QFile::exists(backupDir() + shot[1].mid(photos().size())));
  EXPECT_TRUE(app.backup().backup().queue().contains(shot[1].toStdString()));
  EXPECT_TRUE(app.backup().backup().offline());
  plugDrive(true);
  retry(app);
  EXPECT_TRUE(inBackup(shot[1]));
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, AReusedBackupFolderKeepsItsPhotosAndGetsTheNewOnesBeside) {
  // Last week's job left photos of the same names and sizes.
  QDir().mkpath(backupDir() + "/Ann");
  for (const char* name : {"/Ann/Ann_0001.JPG", "/Ann/Ann_0002.JPG"}) {
    QFile old(backupDir() + name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(kPhotoBytes, 'w'));
  }
  const auto before = filesBelow(backupDir());
  auto& app = launchShooting();
  const QStringList shot = {shoot(app), shoot(app)};
  settle(app);
  for (const QString& photo : shot) EXPECT_TRUE(inBackup(photo)) << photo.toStdString();
  EXPECT_TRUE(QFile::exists(backupDir() + "/Ann/Ann_0001 (2).JPG"));
  expectUntouched(before);
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, AFullDriveSaysSoAndCatchesUpWhenThereIsRoom) {
  auto& app = launchShooting();
  setFault(QStringLiteral("full"), backupDir());
  QStringList shot = {shoot(app)};
  settle(app);
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Backup Drive Full")) == 1; }));
  EXPECT_TRUE(app.backup().backup().full());
  EXPECT_TRUE(app.backup().backup().queue().contains(shot[0].toStdString()));
  EXPECT_FALSE(QFile::exists(backupDir() + shot[0].mid(photos().size())));
  setFault({}, {});
  retry(app);
  EXPECT_TRUE(inBackup(shot[0]));
  expectEveryPhotoAccountedFor(app, shot);
}

}  // namespace
