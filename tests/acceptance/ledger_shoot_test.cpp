// A shoot day's worst hour for the shot ledger: bursts over ten people, the worker killed in the
// middle, the backup folder away for a while. Every photo on disk has its row, and every row is
// either true to the disk and the backup or shown as not accounted for.
#include <signal.h>

#include <QDirIterator>
#include <QFile>
#include <QTest>
#include <set>

#include "shell_fixture.h"

namespace {

using LedgerShoot = ShellTest;

QByteArray bytesOf(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

TEST_F(LedgerShoot, EveryShotHasARowThatIsTrueOrShownUnresolved) {
  QByteArrayList people;
  for (int i = 1; i <= 10; ++i) people << "Person " + QByteArray::number(i);
  env().workerEnvironment[QStringLiteral("VANTREL_SIM_AUTO_SHOOT_MS")] = QStringLiteral("120");
  env().workerEnvironment[QStringLiteral("VANTREL_SIM_SHOTS")] = QStringLiteral("15");
  env().workerEnvironment[QStringLiteral("VANTREL_SIM_IMAGE_BYTES")] = QStringLiteral("80000");
  auto& app = launchWithBackup(people);
  const auto filedCount = [&] {
    std::int64_t total = 0;
    for (qint64 row = 0; row < 10; ++row) total += app.list().names().capturedForModelRow(row);
    return total;
  };
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return filedCount() >= 3; }, 30000));
  // The backup drive goes away in the middle of the burst.
  ASSERT_TRUE(QDir().rename(backupDir(), backupDir() + ".away"));
  for (int step = 0; step < 4 && filedCount() < 8; ++step) {
    app.list().moveGridSelectionBy(1);
    waitFor([&] { return false; }, 250);
  }
  ASSERT_TRUE(waitFor([&] { return filedCount() >= 6; }, 30000));
  const qint64 pid = app.worker().workerPid();
  ASSERT_GT(pid, 0);
  ::kill(static_cast<pid_t>(pid), SIGKILL);
  // The reconnect brings a new worker with a burst of its own.
  ASSERT_TRUE(waitFor(
      [&] { return app.camera().state().watching && app.worker().workerPid() != pid; }, 30000));
  for (int step = 0; step < 4; ++step) {
    app.list().moveGridSelectionBy(1);
    waitFor([&] { return false; }, 300);
  }
  ASSERT_TRUE(waitFor([&] { return filedCount() >= 20; }, 60000));
  ASSERT_TRUE(QDir().rename(backupDir() + ".away", backupDir()));
  app.backup().retryBackupNow();
  waitFor(
      [&] {
        app.ledger().refreshBackupStates();
        return app.ledger().unaccountedToday() == 0 && app.filing().filingIdle();
      },
      60000);

  // Every photo filed has its row.
  std::set<std::string> inLedger;
  for (const auto& row : app.ledger().ledger().rows()) inLedger.insert(row.savedAs);
  QDirIterator it(photos(), {QStringLiteral("*.JPG")}, QDir::Files, QDirIterator::Subdirectories);
  int onDisk = 0;
  while (it.hasNext()) {
    const QString file = it.next();
    if (QFileInfo(file).dir().absolutePath() == QDir(photos()).absolutePath()) continue;
    ++onDisk;
    EXPECT_TRUE(inLedger.count(file.toStdString())) << "no row for " << file.toStdString();
  }
  EXPECT_EQ(onDisk, filedCount());
  // Every row is true, or shown as not accounted for.
  app.ledger().setGraceMs(0);
  const auto& ledger = app.ledger().ledger();
  const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
  for (std::size_t i = 0; i < ledger.rows().size(); ++i) {
    const auto& row = ledger.rows()[i];
    if (ledger.pending(i, now, 0) != vantrel::ledger::Pending::None) continue;
    const QString saved = QString::fromStdString(row.savedAs);
    ASSERT_TRUE(QFile::exists(saved)) << row.savedAs;
    ASSERT_EQ(row.backup, "copied") << row.savedAs;
    EXPECT_EQ(bytesOf(backupDir() + saved.mid(photos().size())), bytesOf(saved)) << row.savedAs;
  }
  EXPECT_GE(ledger.rows().size(), static_cast<std::size_t>(onDisk));
}

}  // namespace
