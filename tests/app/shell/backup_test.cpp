// Backup copies of filed photos, through the window's controller: a folder that goes away and
// comes back, the missing-files walk, clearing the queue and the wake packet of a recovery.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include "shell_fixture.h"

namespace {

class BackupTest : public ShellTest {
 protected:
  VantrelAppDelegate& launchWithBackup() { return ShellTest::launchWithBackup({"Ann", "Bob"}); }

  // A download as the worker leaves it, announced and filed.
  QString file(VantrelAppDelegate& app, const QString& name, int bytes = 5000) {
    QFile download(photos() + "/" + name);
    EXPECT_TRUE(download.open(QIODevice::WriteOnly));
    download.write(QByteArray(bytes, 'p'));
    download.close();
    QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
    feedLine("DOWNLOADED|" + download.fileName().toStdString());
    EXPECT_TRUE(waitFor([&] { return filed.count() == 1; }));
    return filed.isEmpty() ? QString() : filed.first().at(0).toString();
  }

  QString backupButtonTitle(VantrelAppDelegate& app) {
    auto* button = app.window()->findChild<QPushButton*>(QStringLiteral("backupButton"));
    return button ? button->text() : QString();
  }
};

TEST_F(BackupTest, AFolderThatGoesAwayHoldsThePhotosAndTakesThemBackInOrder) {
  auto& app = launchWithBackup();
  const QString first = file(app, QStringLiteral("IMG_0001.JPG"));
  ASSERT_TRUE(waitFor([&] { return QFile::exists(backupDir() + "/Ann/Ann_0001.JPG"); }));
  ASSERT_TRUE(waitFor([&] { return app.backup().backup().queue().empty(); }));
  EXPECT_EQ(backupButtonTitle(app), "Backup ✓");

  ASSERT_TRUE(QDir().rename(backupDir(), backupDir() + "-away"));
  for (int i = 2; i <= 4; ++i) {
    QSignalSpy done(&app.backup(), &BackupController::backupJobDone);
    file(app, QStringLiteral("IMG_000%1.JPG").arg(i));
    ASSERT_TRUE(waitFor([&] { return done.count() >= 1; }));
  }
  EXPECT_EQ(app.backup().backup().queue().size(), 3u);
  EXPECT_TRUE(app.backup().backup().offline());
  EXPECT_EQ(backupButtonTitle(app), "Backup ⚠ 3");
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Backup Paused")) == 1; }));
  QTest::qWait(100);
  EXPECT_EQ(dialogs_.count(QStringLiteral("Backup Paused")), 1) << "one alert per episode";

  ASSERT_TRUE(QDir().rename(backupDir() + "-away", backupDir()));
  app.backup().retryBackupNow();
  ASSERT_TRUE(waitFor([&] { return app.backup().backup().queue().empty(); }));
  for (int i = 1; i <= 4; ++i) {
    EXPECT_TRUE(QFile::exists(backupDir() + QStringLiteral("/Ann/Ann_000%1.JPG").arg(i))) << i;
  }
  EXPECT_EQ(app.backup().backup().batchDone(), 0);
  EXPECT_EQ(app.backup().backup().batchTotal(), 0);
  EXPECT_FALSE(app.backup().backup().offline());
  EXPECT_EQ(backupButtonTitle(app), "Backup ✓");
  EXPECT_TRUE(QFile::exists(first));
}

TEST_F(BackupTest, MissingFilesAreFoundAndAnEmptyPhotoNeverCountsAsCopied) {
  auto& app = launchWithBackup();
  file(app, QStringLiteral("IMG_0001.JPG"));
  ASSERT_TRUE(waitFor([&] { return app.backup().backup().queue().empty(); }));
  app.backup().backupMissingNow();
  EXPECT_TRUE(waitFor([&] {
    return app.status().lastFriendlyStatus() == "Backup is already complete — nothing missing.";
  }));

  QDir().mkpath(photos() + "/Bob");
  QFile(photos() + "/Bob/Bob_0009.JPG").open(QIODevice::WriteOnly);  // zero bytes
  QSignalSpy done(&app.backup(), &BackupController::backupJobDone);
  app.backup().backupMissingNow();
  ASSERT_TRUE(waitFor([&] { return done.count() >= 1; }));
  // It can never be copied: it leaves the queue for the list, and the next photos go on.
  EXPECT_TRUE(app.backup().backup().queue().empty());
  ASSERT_EQ(app.backup().backup().failedBackups().size(), 1u);
  EXPECT_EQ(app.backup().backup().failedBackups().entries()[0].path,
            (photos() + "/Bob/Bob_0009.JPG").toStdString());
  EXPECT_FALSE(QFile::exists(backupDir() + "/Bob/Bob_0009.JPG"));
  EXPECT_TRUE(app.status().lastFriendlyStatus().startsWith("Could not back up Bob_0009.JPG"))
      << app.status().lastFriendlyStatus().toStdString();
  auto* card = app.window()->findChild<QFrame*>(QStringLiteral("backupCard"));
  ASSERT_TRUE(card);
  EXPECT_TRUE(card->findChildren<QLabel*>().last()->text().contains("1 not backed up"));
  // Not queued again by the next walk; Retry puts it back, Remove forgets it.
  app.backup().backupMissingNow();
  EXPECT_TRUE(waitFor([&] {
    return app.status().lastFriendlyStatus() == "Backup is already complete — nothing missing.";
  }));
  dialogs_.answers.push_back(0);  // Retry
  app.backup().showFailedBackups();
  ASSERT_TRUE(waitFor([&] { return done.count() >= 2; }));
  EXPECT_EQ(app.backup().backup().failedBackups().size(), 1u) << "still empty, listed again";
  dialogs_.answers.push_back(1);  // Remove
  app.backup().showFailedBackups();
  EXPECT_TRUE(app.backup().backup().failedBackups().empty());
}

TEST_F(BackupTest, ABackupFolderThatIsHoldsOrLiesInTheTargetIsRefused) {
  auto& app = launchWithBackup();
  for (const QString& folder : {photos(), photos() + "/backup", path(QString())}) {
    QDir().mkpath(folder);
    EXPECT_FALSE(app.backup().setBackupFolder(folder)) << folder.toStdString();
  }
  EXPECT_TRUE(
      waitFor([&] { return dialogs_.count(QStringLiteral("Backup Folder Not Usable")) == 3; }));
  EXPECT_EQ(app.backup().backup().backupDir(), backupDir().toStdString());
}

TEST_F(BackupTest, TheChosenFoldersDriveIsLookedAtOffTheWindowsThreadAndTheLatestChoiceWins) {
  env().mountInfoFile = path(QStringLiteral("mountinfo"));
  QFile table(env().mountInfoFile);
  ASSERT_TRUE(table.open(QIODevice::WriteOnly));
  for (const auto& [id, point] :
       {std::pair{1, QStringLiteral("/")}, std::pair{2, path(QStringLiteral("first"))},
        std::pair{3, path(QStringLiteral("second"))}}) {
    table.write(
        QStringLiteral("%1 1 0:%1 / %2 rw - ext4 /dev/vd%1 rw\n").arg(id).arg(point).toUtf8());
  }
  table.close();
  QDir().mkpath(path(QStringLiteral("first/backup")));
  QDir().mkpath(path(QStringLiteral("second/backup")));
  auto& app = launchWithBackup();
  const auto storedMountPoint = [] {
    return QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"))
        .value(QStringLiteral("VantrelBackupMountPoint"))
        .toString();
  };

  ASSERT_TRUE(app.backup().setBackupFolder(path(QStringLiteral("first/backup"))));
  ASSERT_TRUE(app.backup().setBackupFolder(path(QStringLiteral("second/backup"))));
  EXPECT_EQ(storedMountPoint(), QString()) << "the answer comes later, through the event loop";
  ASSERT_TRUE(waitFor([&] { return storedMountPoint() == path(QStringLiteral("second")); }));
  QTest::qWait(200);
  EXPECT_EQ(storedMountPoint(), path(QStringLiteral("second"))) << "the earlier choice's answer";

  file(app, QStringLiteral("IMG_0001.JPG"));
  EXPECT_TRUE(waitFor(
      [&] { return QFile::exists(path(QStringLiteral("second/backup/Ann/Ann_0001.JPG"))); }));
}

TEST_F(BackupTest, AnUnreadableQueueFileIsKeptAsideSaidAndWhatItHeldFoundAgain) {
  // A photo that was waiting when the queue file got damaged.
  QDir().mkpath(photos() + "/Ann");
  QFile waiting(photos() + "/Ann/Ann_0001.JPG");
  ASSERT_TRUE(waiting.open(QIODevice::WriteOnly));
  waiting.write(QByteArray(3000, 'a'));
  waiting.close();
  QDir().mkpath(env().dataFolder);
  QFile queue(env().dataFolder + "/backup_queue.plist");
  ASSERT_TRUE(queue.open(QIODevice::WriteOnly));
  queue.write("<?xml version=\"1.0\"?><plist><array><string>/photos/Ann/Ann_00");
  queue.close();
  setStoredValue(QStringLiteral("VantrelBackupDir"), backupDir());
  setStoredValue(QStringLiteral("VantrelBackupEnabled"), true);
  writeGridStore({QStringLiteral("Ann")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  QDir().mkpath(backupDir());
  launch();
  EXPECT_TRUE(
      waitFor([&] { return dialogs_.count(QStringLiteral("Backup Queue Unreadable")) == 1; }));
  const QStringList kept =
      QDir(env().dataFolder).entryList({QStringLiteral("backup_queue.plist.unreadable-*")});
  ASSERT_EQ(kept.size(), 1);
  EXPECT_TRUE(waitFor([&] { return QFile::exists(backupDir() + "/Ann/Ann_0001.JPG"); }));
}

TEST_F(BackupTest, ClearingTheQueueAsksFirst) {
  auto& app = launchWithBackup();
  ASSERT_TRUE(QDir().rename(backupDir(), backupDir() + "-away"));
  QSignalSpy done(&app.backup(), &BackupController::backupJobDone);
  file(app, QStringLiteral("IMG_0001.JPG"));
  ASSERT_TRUE(waitFor([&] { return done.count() >= 1; }));
  ASSERT_EQ(app.backup().backup().queue().size(), 1u);
  // The paused alert is posted, and the job's end is announced before it shows.
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Backup Paused")) == 1; }));
  dialogs_.answers.push_back(1);  // cancel
  app.backup().clearBackupQueue();
  EXPECT_EQ(app.backup().backup().queue().size(), 1u);
  dialogs_.answers.push_back(0);  // clear
  app.backup().clearBackupQueue();
  EXPECT_TRUE(app.backup().backup().queue().empty());
  app.backup().clearBackupQueue();       // nothing left: no question
  EXPECT_EQ(dialogs_.alerts.size(), 3);  // two questions and the paused alert
}

TEST_F(BackupTest, RecoverySendsTheWakePacketToTheStoredAddress) {
  const int receiver = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(receiver, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  socklen_t length = sizeof address;
  ASSERT_EQ(::getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length), 0);
  env().wakeAddress = QStringLiteral("127.0.0.1");
  env().wakePort = ntohs(address.sin_port);
  setStoredValue(QStringLiteral("VantrelBackupMAC"), QStringLiteral("aa:bb:cc:dd:ee:ff"));

  auto& app = launchWithBackup();
  app.backup().wakeAndReconnectBackup();
  unsigned char packet[200];
  timeval timeout{5, 0};
  ::setsockopt(receiver, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  const ssize_t got = ::recv(receiver, packet, sizeof packet, 0);
  ::close(receiver);
  ASSERT_EQ(got, 102);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(packet[i], 0xFF);
  EXPECT_EQ(packet[6], 0xAA);
  EXPECT_EQ(packet[101], 0xFF);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Sent wake signal to the backup drive…");
}

}  // namespace
