// Backup destinations as photographers have them, through the real application, worker and
// simulated camera: a drive that refuses permission changes, photos that can never be copied,
// names the drive refuses, a target folder that goes away, a target drive unplugged from its
// mount point, folders renamed while their photos wait, a folder named in Latin-1, a backup folder
// inside the target, an unplugged drive's empty mount point, a backup folder reused from an
// earlier job, a full drive. After each, every photo shot is in the target folder once and is
// either in the backup with identical bytes, or waiting, or on the could-not-back-up list with its
// reason; nothing already in the backup was replaced or deleted. Photos are named by their bytes
// throughout, as a folder name need not be UTF-8.
//
// The drive's faults come from a preloaded library (this test runs with it in LD_PRELOAD) that
// reads $VANTREL_FAULT and $VANTREL_FAULT_FOLDER at every call, and from a mount table of the
// test's own.
#include <QFile>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "shell_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPhotoBytes = 60000;

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> filesBelow(const std::string& folder) {
  std::map<std::string, std::string> files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file()) files[it->path().native()] = contents(it->path().native());
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
    // The temporary home's own clean-up names files through Qt and cannot reach names that are
    // not UTF-8.
    std::error_code ignored;
    fs::remove_all(photos().toStdString(), ignored);
    fs::remove_all(path(QStringLiteral("drive")).toStdString(), ignored);
  }

  QString backupDir() const { return path(QStringLiteral("drive/backup")); }

  // The backup drive mounted at <home>/drive, or its mount point left behind on the system disk;
  // the same for a drive of its own holding the target folder, when it has one.
  void plugDrive(bool plugged, bool targetDrivePlugged = false) {
    std::string table = mountLine(1, QStringLiteral("/"));
    if (plugged) table += mountLine(2, path(QStringLiteral("drive")));
    if (targetDrivePlugged) table += mountLine(3, photos());
    QFile file(path(QStringLiteral("mountinfo")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(table));
  }

  static void setFault(const QString& kind, const std::string& folder) {
    qputenv("VANTREL_FAULT", kind.toUtf8());
    qputenv("VANTREL_FAULT_FOLDER", QByteArray::fromStdString(folder));
  }

  VantrelAppDelegate& launchShooting() {
    auto& app = launch();
    EXPECT_TRUE(app.backup().setBackupFolder(backupDir()));
    app.camera().connectCameraManual();
    EXPECT_TRUE(waitFor([&] { return app.camera().state().watching; }));
    return app;
  }

  // The photo filed for the person in `row`, as its file-name bytes; empty when none was.
  std::string shoot(VantrelAppDelegate& app, int row = 0) {
    app.list().names().setSelectedRow(row);
    app.list().selectModelRowInTable(row, true);
    std::vector<std::string> filed;
    const auto connection =
        QObject::connect(&app.filing(), &FilingController::photoFiled,
                         [&filed](const std::string& savedPath) { filed.push_back(savedPath); });
    app.camera().takePhoto();
    waitFor([&] { return !filed.empty(); });
    QObject::disconnect(connection);
    return filed.empty() ? std::string() : filed.front();
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

  // Where `photo` goes in the backup.
  std::string mirrorOf(const std::string& photo) const {
    return backupDir().toStdString() + photo.substr(photos().toStdString().size());
  }

  // The backup holds `photo`'s bytes at its mirror path or beside it ("<stem> (2).<ext>", ...).
  bool inBackup(const std::string& photo) const {
    const std::string bytes = contents(photo);
    const fs::path mirror = mirrorOf(photo);
    std::vector<fs::path> candidates{mirror};
    for (int n = 2; n < 10; ++n) {
      candidates.push_back(
          mirror.parent_path() /
          (mirror.stem().native() + " (" + std::to_string(n) + ")" + mirror.extension().native()));
    }
    for (const fs::path& candidate : candidates) {
      if (fs::exists(candidate) && contents(candidate) == bytes) return true;
    }
    return false;
  }

  void expectEveryPhotoAccountedFor(VantrelAppDelegate& app, const std::vector<std::string>& shot) {
    const auto& backup = app.backup().backup();
    for (const std::string& photo : shot) {
      ASSERT_FALSE(photo.empty());
      EXPECT_TRUE(fs::exists(photo)) << photo;
      const bool failed = backup.failedBackups().contains(photo);
      EXPECT_TRUE(inBackup(photo) || backup.queue().contains(photo) || failed)
          << photo << " is neither backed up, nor waiting, nor listed";
      if (failed) {
        for (const auto& entry : backup.failedBackups().entries()) {
          if (entry.path == photo) {
            EXPECT_FALSE(entry.reason.empty());
          }
        }
      }
    }
    // Once in the target folder: no photo was filed twice.
    std::map<std::string, int> copies;
    for (const auto& [file, data] : filesBelow(photos().toStdString())) ++copies[data];
    for (const auto& [data, count] : copies) EXPECT_EQ(count, 1);
  }

  static void expectUntouched(const std::map<std::string, std::string>& before) {
    for (const auto& [file, data] : before) {
      EXPECT_TRUE(fs::exists(file)) << file << " was deleted";
      EXPECT_EQ(contents(file), data) << file << " was replaced";
    }
  }
};

TEST_F(BackupDestinations, ADriveThatRefusesPermissionChangesTakesEveryCopy) {
  setFault(QStringLiteral("chmod"), backupDir().toStdString());
  auto& app = launchShooting();
  const std::vector<std::string> shot = {shoot(app), shoot(app, 1)};
  settle(app);
  for (const std::string& photo : shot) EXPECT_TRUE(inBackup(photo)) << photo;
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, PhotosThatCanNeverBeCopiedStepAsideAndTheRestGoOn) {
  auto& app = launchShooting();
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive")), path(QStringLiteral("drive-away"))));
  std::vector<std::string> shot = {shoot(app), shoot(app)};
  // First in the queue: an empty photo and one that cannot be read.
  fs::resize_file(shot[0], 0);
  setFault(QStringLiteral("unreadable"), shot[1]);
  shot.push_back(shoot(app, 1));
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive-away")), path(QStringLiteral("drive"))));
  retry(app);
  const auto& failed = app.backup().backup().failedBackups();
  EXPECT_TRUE(failed.contains(shot[0]));
  EXPECT_TRUE(failed.contains(shot[1]));
  EXPECT_TRUE(inBackup(shot[2]));
  EXPECT_TRUE(app.backup().backup().queue().empty());
  setFault({}, {});  // this test reads the photos too
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, ANameTheDriveRefusesIsListedWithItsReason) {
  setFault(QStringLiteral("names"), backupDir().toStdString() + "/Bob");
  auto& app = launchShooting();
  const std::vector<std::string> shot = {shoot(app, 1), shoot(app, 0)};
  settle(app);
  ASSERT_EQ(app.backup().backup().failedBackups().size(), 1u);
  EXPECT_EQ(app.backup().backup().failedBackups().entries()[0].path, shot[0]);
  EXPECT_TRUE(inBackup(shot[1]));
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, PhotosWaitWhileTheTargetFolderIsAwayAndFollowARenamedFolder) {
  auto& app = launchShooting();
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive")), path(QStringLiteral("drive-away"))));
  std::vector<std::string> shot = {shoot(app), shoot(app)};
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
  shot = {(photos() + "/Anna/Anna_0001.JPG").toStdString(),
          (photos() + "/Anna/Anna_0002.JPG").toStdString()};
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive-away")), path(QStringLiteral("drive"))));
  retry(app);
  for (const std::string& photo : shot) EXPECT_TRUE(inBackup(photo)) << photo;
  EXPECT_TRUE(app.backup().backup().failedBackups().empty());
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, ATargetDriveUnpluggedFromItsMountPointKeepsItsPhotosWaiting) {
  plugDrive(true, true);  // the target folder is a drive's mount point
  auto& app = launchShooting();
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive")), path(QStringLiteral("drive-away"))));
  std::vector<std::string> shot = {shoot(app), shoot(app, 1)};
  settle(app);
  // The target folder's drive is recorded once the folder holds photos.
  ASSERT_TRUE(waitFor([] {
    return QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"))
        .contains(QStringLiteral("VantrelTargetMountPoint"));
  }));

  // Unplugged: its mount point is an empty folder on the system disk again, and a person's
  // folder made there anew (as filing does for a photo shot meanwhile) tells nothing.
  ASSERT_TRUE(QDir().rename(photos(), path(QStringLiteral("target-drive"))));
  QDir().mkpath(photos() + "/Ann");
  plugDrive(true, false);
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive-away")), path(QStringLiteral("drive"))));
  retry(app);
  EXPECT_EQ(app.backup().backup().queue().size(), 2u);
  EXPECT_TRUE(app.backup().backup().failedBackups().empty()) << "nothing taken for deleted";
  EXPECT_TRUE(app.backup().backup().offline());
  EXPECT_TRUE(waitFor([&] {
    for (const auto& alert : dialogs_.alerts) {
      if (alert.message.startsWith("The target folder isn't available")) return true;
    }
    return false;
  }));

  // Plugged in again: the photos are backed up.
  ASSERT_TRUE(QDir(photos()).removeRecursively());
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("target-drive")), photos()));
  plugDrive(true, true);
  retry(app);
  for (const std::string& photo : shot) EXPECT_TRUE(inBackup(photo)) << photo;
  EXPECT_TRUE(app.backup().backup().queue().empty());
  expectEveryPhotoAccountedFor(app, shot);

  // Gone while its drive is there: a photo deleted before its backup is listed as such.
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive")), path(QStringLiteral("drive-away"))));
  shot.push_back(shoot(app));
  settle(app);
  ASSERT_TRUE(fs::remove(shot.back()));
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive-away")), path(QStringLiteral("drive"))));
  retry(app);
  ASSERT_EQ(app.backup().backup().failedBackups().size(), 1u);
  EXPECT_EQ(app.backup().backup().failedBackups().entries()[0].path, shot.back());
  EXPECT_EQ(app.backup().backup().failedBackups().entries()[0].reason,
            "the photo was deleted before its backup");
}

TEST_F(BackupDestinations, AFolderNamedInLatin1IsBackedUpUnderItsBytes) {
  // As an older names store kept it: "Müller" in Latin-1, which is not UTF-8.
  writeGridStore(QByteArrayList{QByteArray("M\xfcller"), QByteArray("Bob")});
  auto& app = launchShooting();
  // The drive away at first, so the photo waits in the queue file before it is copied.
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive")), path(QStringLiteral("drive-away"))));
  std::vector<std::string> shot = {shoot(app), shoot(app, 1)};
  settle(app);
  ASSERT_EQ(shot[0], photos().toStdString() + "/M\xfcller/M\xfcller_0001.JPG");
  EXPECT_TRUE(app.backup().backup().queue().contains(shot[0]));
  ASSERT_TRUE(QDir().rename(path(QStringLiteral("drive-away")), path(QStringLiteral("drive"))));
  retry(app);
  shot.push_back(shoot(app));
  settle(app);
  for (const std::string& photo : shot) EXPECT_TRUE(inBackup(photo)) << photo;
  EXPECT_TRUE(fs::exists(mirrorOf(shot[2])));
  EXPECT_NE(mirrorOf(shot[2]).find("/M\xfcller/"), std::string::npos);
  EXPECT_TRUE(app.backup().backup().queue().empty());
  EXPECT_TRUE(app.backup().backup().failedBackups().empty());
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, ABackupFolderInsideTheTargetIsRefused) {
  auto& app = launchShooting();
  QDir().mkpath(photos() + "/backup");
  EXPECT_FALSE(app.backup().setBackupFolder(photos() + "/backup"));
  const std::vector<std::string> shot = {shoot(app)};
  settle(app);
  EXPECT_TRUE(inBackup(shot[0]));
  EXPECT_FALSE(QFile::exists(photos() + "/backup/Ann/Ann_0001.JPG"));
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, AnUnpluggedDrivesMountPointTakesNoCopy) {
  auto& app = launchShooting();
  std::vector<std::string> shot = {shoot(app)};
  settle(app);
  EXPECT_TRUE(inBackup(shot[0]));
  // Unplugged: the folder is still there, on the system disk now.
  plugDrive(false);
  shot.push_back(shoot(app));
  settle(app);
  EXPECT_FALSE(fs::exists(mirrorOf(shot[1])));
  EXPECT_TRUE(app.backup().backup().queue().contains(shot[1]));
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
  const auto before = filesBelow(backupDir().toStdString());
  auto& app = launchShooting();
  const std::vector<std::string> shot = {shoot(app), shoot(app)};
  settle(app);
  for (const std::string& photo : shot) EXPECT_TRUE(inBackup(photo)) << photo;
  EXPECT_TRUE(QFile::exists(backupDir() + "/Ann/Ann_0001 (2).JPG"));
  expectUntouched(before);
  expectEveryPhotoAccountedFor(app, shot);
}

TEST_F(BackupDestinations, AFullDriveSaysSoAndCatchesUpWhenThereIsRoom) {
  auto& app = launchShooting();
  setFault(QStringLiteral("full"), backupDir().toStdString());
  const std::vector<std::string> shot = {shoot(app)};
  settle(app);
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Backup Drive Full")) == 1; }));
  EXPECT_TRUE(app.backup().backup().full());
  EXPECT_TRUE(app.backup().backup().queue().contains(shot[0]));
  EXPECT_FALSE(fs::exists(mirrorOf(shot[0])));
  setFault({}, {});
  retry(app);
  EXPECT_TRUE(inBackup(shot[0]));
  expectEveryPhotoAccountedFor(app, shot);
}

}  // namespace
