// A shoot day from start to finish with the real worker and the simulated camera, under a real X
// server: a roster of 30 imported, target and backup folders chosen, five people photographed
// three times each by remote capture and by the camera's own shutter, two tags on for one of
// them, the backup folder away for four photos, the worker killed once, and the application quit
// and started again. Then everything on disk must add up.
#include <signal.h>

#include <cstdio>

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <map>

#include "shell_fixture.h"

namespace {

class ShootDayTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    control_ = path(QStringLiteral("camera-control"));
    QFile(control_).open(QIODevice::WriteOnly);
    env().workerEnvironment[QStringLiteral("VANTREL_SIM_CONTROL")] = control_;
    env().workerEnvironment[QStringLiteral("VANTREL_SIM_IMAGE_BYTES")] = QStringLiteral("120000");
    QDir().mkpath(backup());
  }
  QString backup() const { return path(QStringLiteral("backup")); }

  void screenshot(VantrelAppDelegate& app, const QString& name) {
    const QString folder = qEnvironmentVariable("VANTREL_SCREENSHOT_DIR");
    if (folder.isEmpty() || !app.window()) return;
    QDir().mkpath(folder);
    app.window()->grab().save(folder + "/shoot_day_" + name + ".png");
  }

  // One photo of the current person, by remote capture or by the camera's shutter.
  QString shoot(VantrelAppDelegate& app, bool remote) {
    EXPECT_TRUE(waitFor([&] { return app.camera().state().watching; }));
    QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
    if (remote) {
      app.camera().takePhoto();
    } else {
      replaceControlFile("shoot\n");
    }
    if (!waitFor([&] { return filed.count() > 0; })) return {};
    const QString error = filed.first().at(1).toString();
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return filed.first().at(0).toString();
  }

  // The simulated camera reads its control file from the start at every initialise, and again
  // whenever the file is replaced: a fresh file per command keeps a restarted worker from
  // replaying old shots.
  void replaceControlFile(const QByteArray& text) {
    QFile next(control_ + ".next");
    ASSERT_TRUE(next.open(QIODevice::WriteOnly));
    next.write(text);
    next.close();
    ASSERT_EQ(
        ::rename(next.fileName().toLocal8Bit().constData(), control_.toLocal8Bit().constData()), 0);
  }

  QString control_;
};

TEST_F(ShootDayTest, EveryShotEndsUpFiledCountedAndBackedUpExactlyOnce) {
  QFile roster(path(QStringLiteral("roster.csv")));
  ASSERT_TRUE(roster.open(QIODevice::WriteOnly));
  roster.write("Name,Class\n");
  for (int i = 1; i <= 30; ++i)
    roster.write(QStringLiteral("Student %1,7B\n").arg(i, 2, 10, QLatin1Char('0')).toUtf8());
  roster.close();
  setStoredValue(QStringLiteral("VantrelSuffixes"),
                 QVariantList{QVariantMap{{QStringLiteral("label"), QStringLiteral("FR")},
                                          {QStringLiteral("suffix"), QStringLiteral("_FR")},
                                          {QStringLiteral("on"), false}},
                              QVariantMap{{QStringLiteral("label"), QStringLiteral("SS")},
                                          {QStringLiteral("suffix"), QStringLiteral("_SS")},
                                          {QStringLiteral("on"), false}}});

  std::map<QString, QString> expectedOwner;  // saved path -> folder it must be in
  {
    auto app = std::make_unique<VantrelAppDelegate>(env(), &dialogs_);
    ASSERT_TRUE(app->applicationDidFinishLaunching());
    ASSERT_TRUE(waitFor([&] { return app->window() != nullptr; }));
    ASSERT_TRUE(app->list().importFirstColumnFromCSV(roster.fileName()));
    ASSERT_EQ(app->list().names().rowCount(), 30);
    ASSERT_TRUE(app->filing().setTargetFolder(photos()));
    app->backup().setBackupFolder(backup());
    // The camera connects by itself.
    ASSERT_TRUE(waitFor([&] { return app->camera().state().watching; }, 30000));
    screenshot(*app, QStringLiteral("1_connected"));

    int shot = 0;
    for (int person = 0; person < 5; ++person) {
      app->list().names().setSelectedRow(person * 3);
      app->list().selectModelRowInTable(person * 3, true);
      const bool tagged = person == 2;
      if (tagged) {
        app->tags().suffixToggled(0, true);
        app->tags().suffixToggled(1, true);
      }
      if (person == 3) {
        ASSERT_TRUE(QDir().rename(backup(), backup() + "-away"));
      }
      for (int take = 0; take < 3; ++take, ++shot) {
        if (person == 1 && take == 1) {
          // The worker dies mid-shoot; the application must bring it back.
          replaceControlFile({});
          ::kill(static_cast<pid_t>(app->worker().workerPid()), SIGKILL);
          ASSERT_TRUE(waitFor([&] { return !app->camera().state().watching; }, 5000));
          ASSERT_TRUE(waitFor([&] { return app->camera().state().watching; }, 30000));
        }
        const QString saved = shoot(*app, shot % 2 == 0);
        ASSERT_FALSE(saved.isEmpty()) << "shot " << shot;
        const QString name =
            QString::fromStdString(std::string(app->list().names().nameForModelRow(person * 3)));
        expectedOwner[saved] = name + (tagged ? "_FR_SS" : "");
      }
      if (tagged) {
        app->tags().suffixToggled(0, false);
        app->tags().suffixToggled(1, false);
      }
      if (person == 4) {
        // Four photos waited for the backup folder; it comes back.
        EXPECT_GE(app->backup().backup().queue().size(), 4u);
        ASSERT_TRUE(QDir().rename(backup() + "-away", backup()));
        app->backup().retryBackupNow();
      }
    }
    ASSERT_TRUE(waitFor([&] { return app->backup().backup().queue().empty(); }, 30000));
    QTest::qWait(600);  // the preview's pause
    screenshot(*app, QStringLiteral("2_after_shoot"));
    app->applicationWillTerminate();
  }

  // The application starts again and finds everything as it was.
  auto app = std::make_unique<VantrelAppDelegate>(env(), &dialogs_);
  ASSERT_TRUE(app->applicationDidFinishLaunching());
  ASSERT_TRUE(waitFor([&] { return app->window() != nullptr; }));
  screenshot(*app, QStringLiteral("3_restarted"));

  ASSERT_EQ(expectedOwner.size(), 15u);
  std::map<QString, int> perFolder;
  for (const auto& [saved, folder] : expectedOwner) {
    EXPECT_EQ(QFileInfo(saved).dir().dirName(), folder) << saved.toStdString();
    EXPECT_TRUE(QFileInfo(saved).fileName().startsWith(folder + "_")) << saved.toStdString();
    EXPECT_FALSE(QImage(saved).isNull()) << "not decodable: " << saved.toStdString();
    EXPECT_EQ(QFileInfo(saved).size(), 120000);
    const QString mirror = backup() + saved.mid(photos().size());
    ASSERT_TRUE(QFile::exists(mirror)) << mirror.toStdString();
    EXPECT_EQ(QFileInfo(mirror).size(), QFileInfo(saved).size());
    ++perFolder[folder];
  }
  // Each shot exactly once: the image files on disk are exactly the ones filed.
  int onDisk = 0;
  QDirIterator it(photos(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    EXPECT_FALSE(file.contains(".vantrel_tmp")) << "temporary file left: " << file.toStdString();
    EXPECT_NE(QFileInfo(file).dir().absolutePath(), QDir(photos()).absolutePath())
        << "left in the download folder: " << file.toStdString();
    EXPECT_EQ(expectedOwner.count(file), 1u) << file.toStdString();
    ++onDisk;
  }
  EXPECT_EQ(onDisk, 15);
  QDirIterator backupFiles(backup(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  int backedUp = 0;
  while (backupFiles.hasNext()) {
    EXPECT_FALSE(backupFiles.next().contains(".vantrel_tmp"));
    ++backedUp;
  }
  EXPECT_EQ(backedUp, 15);
  // Counts in the list (restored from the store) match the folders.
  for (int person = 0; person < 5; ++person) {
    const int row = person * 3;
    const QString name =
        QString::fromStdString(std::string(app->list().names().nameForModelRow(row)));
    EXPECT_EQ(app->list().names().capturedForModelRow(row),
              perFolder[name] + perFolder[name + "_FR_SS"])
        << name.toStdString();
  }
  QFile store(env().gridStorePath);
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_TRUE(store.readAll().contains("Student 01,,3,"));
}

}  // namespace
