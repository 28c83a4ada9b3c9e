// Photos left under their camera names by a crash: offered at launch, filed only when the
// operator answers, oldest first with the next numbers; found mid-shoot, offered in the menu.
#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include "main_window.h"
#include "shell_fixture.h"

namespace {

class UnfiledDownloadsTest : public ShellTest {
 protected:
  // Camera-named photos in the download folder, the first the oldest.
  void leavePhotos(const QString& folder, const QStringList& names) {
    QDir().mkpath(folder);
    int age = 100;
    for (const QString& name : names) {
      const QString file = folder + "/" + name;
      QFile out(file);
      ASSERT_TRUE(out.open(QIODevice::WriteOnly));
      out.write(name.toUtf8().repeated(100));
      out.close();
      const auto when = std::filesystem::file_time_type::clock::now() - std::chrono::seconds(age--);
      std::filesystem::last_write_time(file.toStdString(), when);
    }
  }
  VantrelAppDelegate& launchWithAnnSelected() {
    writeGridStore({QStringLiteral("Ann"), QStringLiteral("Bob")});
    setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
    setStoredValue(QStringLiteral("VantrelLastSelectedRowIndex"), 0);
    return launch();
  }
  bool waitForFiled(int count) {
    return waitFor([&] {
      return app().list().names().capturedForModelRow(0) +
                 app().list().names().capturedForModelRow(1) ==
             count;
    });
  }
};

TEST_F(UnfiledDownloadsTest,
       AtLaunchTheyAreFiledForTheSelectedPersonOldestFirstWithTheNextNumbers) {
  QDir().mkpath(photos() + "/Ann");
  QFile(photos() + "/Ann/Ann_0004.JPG").open(QIODevice::WriteOnly);
  setStoredValue(QStringLiteral("VantrelLastCounterValue"), QStringLiteral("5"));
  leavePhotos(photos(), {QStringLiteral("IMG_0102.JPG"), QStringLiteral("IMG_0101.JPG")});
  // One waited in the folder used while no target folder was set.
  leavePhotos(env().unsetDownloadFolder, {QStringLiteral("IMG_0103.JPG")});
  dialogs_.answers = {0};
  auto& app = launchWithAnnSelected();

  ASSERT_EQ(dialogs_.count(QStringLiteral("Unfiled Photos Found")), 1);
  EXPECT_TRUE(dialogs_.alerts.last().message.startsWith("3 photos were downloaded but never filed"))
      << dialogs_.alerts.last().message.toStdString();
  ASSERT_TRUE(waitForFiled(4));
  const QByteArray first = QByteArray("IMG_0102.JPG").repeated(100);
  QFile five(photos() + "/Ann/Ann_0005.JPG");
  ASSERT_TRUE(five.open(QIODevice::ReadOnly));
  EXPECT_EQ(five.readAll(), first) << "the oldest takes the first number";
  EXPECT_TRUE(QFile::exists(photos() + "/Ann/Ann_0006.JPG"));
  EXPECT_TRUE(QFile::exists(photos() + "/Ann/Ann_0007.JPG"));
  EXPECT_FALSE(QFile::exists(env().unsetDownloadFolder + "/IMG_0103.JPG"));
  EXPECT_EQ(app.filing().counterText(), "8");
}

TEST_F(UnfiledDownloadsTest, ChoosePersonFilesThemForThatPersonWithoutChangingTheSelection) {
  leavePhotos(photos(), {QStringLiteral("IMG_0001.JPG"), QStringLiteral("IMG_0002.JPG")});
  dialogs_.answers = {1};
  dialogs_.people = {QStringLiteral("Bob")};
  auto& app = launchWithAnnSelected();

  EXPECT_EQ(dialogs_.peopleOffered, (QStringList{"Ann", "Bob"}));
  ASSERT_TRUE(waitForFiled(2));
  EXPECT_EQ(app.list().names().capturedForModelRow(1), 2);
  EXPECT_TRUE(QFile::exists(photos() + "/Bob/Bob_0001.JPG"));
  EXPECT_TRUE(QFile::exists(photos() + "/Bob/Bob_0002.JPG"));
  EXPECT_EQ(app.list().captureRow(), 0);
}

TEST_F(UnfiledDownloadsTest, NothingIsFiledWithoutAnAnswerAndLeftPhotosAreNotAskedAboutAgain) {
  leavePhotos(photos(), {QStringLiteral("IMG_0001.JPG")});
  dialogs_.answers = {1};  // "Choose Person…", then the chooser is cancelled
  auto& app = launchWithAnnSelected();
  QTest::qWait(300);
  EXPECT_TRUE(QFile::exists(photos() + "/IMG_0001.JPG"));
  EXPECT_EQ(app.list().names().capturedForModelRow(0), 0);
  // Still offered in the Camera menu, and left from there.
  ASSERT_EQ(app.unfiled().pending().size(), 1u);
  app.unfiled().leaveThem();
  app.unfiled().announceFound();
  EXPECT_TRUE(app.unfiled().pending().empty());
  EXPECT_TRUE(QFile::exists(photos() + "/IMG_0001.JPG"));
}

TEST_F(UnfiledDownloadsTest, FoundAfterAWorkerEndsTheyAreAnnouncedAndOfferedInTheCameraMenu) {
  auto& app = launchWithAnnSelected();
  EXPECT_EQ(dialogs_.count(QStringLiteral("Unfiled Photos Found")), 0);
  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().watching; }));
  // What a worker that died between writing a photo and announcing it leaves.
  leavePhotos(photos(), {QStringLiteral("IMG_0007.JPG")});
  app.camera().disconnectCamera();
  ASSERT_TRUE(waitFor([&] { return !app.worker().workerRunning(); }));
  ASSERT_TRUE(waitFor([&] { return app.unfiled().pending().size() == 1; }));
  EXPECT_EQ(app.status().lastFriendlyStatus(),
            "1 unfiled photo found in the download folder. File them from the Camera menu.");
  EXPECT_EQ(dialogs_.count(QStringLiteral("Unfiled Photos Found")), 0) << "no modal alert";

  const auto* window = qobject_cast<MainWindow*>(app.window());
  ASSERT_NE(window, nullptr);
  QAction* item = window->unfiledViews.fileForSelectedItem;
  EXPECT_TRUE(item->isVisible());
  EXPECT_EQ(item->text(), "File Unfiled Photos for Ann");
  item->trigger();
  ASSERT_TRUE(waitForFiled(1));
  EXPECT_TRUE(QFile::exists(photos() + "/Ann/Ann_0001.JPG"));
  EXPECT_FALSE(item->isVisible());
}

}  // namespace
