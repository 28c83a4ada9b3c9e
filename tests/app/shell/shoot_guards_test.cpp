// Shoot-day guards from the window: photos per person with its warning and the move on to the
// next person, and "Move Last Photos…" taking the photos of the wrong person to the right one
// with the counts, the store and the backup following.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>

#include "names_table_model.h"
#include "palette.h"
#include "shell_fixture.h"

namespace {

class ShootGuardsTest : public ShellTest {
 protected:
  // The current person, as a click in the table makes it.
  void select(qint64 row) {
    app().list().names().setSelectedRow(row);
    app().list().selectModelRowInTable(row, false);
  }
  // A download announced by the worker; the path it was filed under.
  QString shoot(const QString& cameraName) {
    QFile download(photos() + "/" + cameraName);
    EXPECT_TRUE(download.open(QIODevice::WriteOnly));
    download.write("bytes of " + cameraName.toUtf8());
    download.close();
    QSignalSpy filed(&app().filing(), &FilingController::captureFiled);
    feedLine("DOWNLOADED|" + download.fileName().toStdString());
    EXPECT_TRUE(waitFor([&] { return filed.count() == 1; }));
    return filed.isEmpty() ? QString() : filed.first().at(0).toString();
  }
  QString status() { return app().status().lastFriendlyStatus(); }
  qint64 count(qint64 row) { return app().list().names().capturedForModelRow(row); }
  QVariant countCellBackground(qint64 row) {
    NamesTableModel* model = app().list().tableModel();
    const qint64 display = app().list().names().displayRowForModelRow(row);
    return model->data(model->index(static_cast<int>(display), NamesTableModel::CountColumn),
                       Qt::BackgroundRole);
  }
  template <typename Widget>
  Widget* setting(const char* name) {
    return app().window()->findChild<Widget*>(QString::fromLatin1(name));
  }
  QAction* menuItem(const QString& title) {
    for (QAction* action : app().window()->findChildren<QAction*>())
      if (action->text() == title) return action;
    return nullptr;
  }
  QStringList files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot);
  }
};

TEST_F(ShootGuardsTest, TheLastPhotoOfAPersonWarnsUntilSomeoneElseIsSelected) {
  launchWithBackup({"Ann Lee", "Bob"});
  auto* limit = setting<QSpinBox>("photosPerPerson");
  ASSERT_NE(limit, nullptr);
  EXPECT_EQ(limit->value(), 0) << "no limit at first";
  EXPECT_EQ(limit->text(), "No limit");
  limit->setValue(2);
  select(0);

  shoot("IMG_0001.JPG");
  EXPECT_EQ(status(), "Saved: Ann Lee_0001.JPG");
  EXPECT_FALSE(countCellBackground(0).isValid());

  shoot("IMG_0002.JPG");
  EXPECT_EQ(status(), "Ann Lee has 2 photos — select the next person");
  EXPECT_EQ(app().status().lastStatusKind(), "warning");
  EXPECT_EQ(countCellBackground(0).value<QColor>(), palette::orange());
  EXPECT_FALSE(countCellBackground(1).isValid());

  // One photo too many is counted and warned about all the same.
  shoot("IMG_0003.JPG");
  EXPECT_EQ(count(0), 3);
  EXPECT_EQ(status(), "Ann Lee has 3 photos — select the next person");
  app().status().refreshReadyStatusIfIdle();  // the summary's turn comes
  EXPECT_EQ(status(), "Ann Lee has 3 photos — select the next person");

  select(1);
  EXPECT_NE(status(), "Ann Lee has 3 photos — select the next person");
  EXPECT_FALSE(app().status().statusHeld());
  EXPECT_EQ(QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"))
                .value(QStringLiteral("VantrelPhotosPerPerson"))
                .toLongLong(),
            2);

  limit->setValue(0);
  EXPECT_FALSE(countCellBackground(0).isValid()) << "no limit, no highlight";
}

TEST_F(ShootGuardsTest, TheSelectionMovesOnToTheNextRemainingPersonInTheTablesOrder) {
  // Cy has had a photo already.
  QDir().mkpath(photos() + "/Cy");
  QFile(photos() + "/Cy/Cy_0001.JPG").open(QIODevice::WriteOnly);
  launchWithBackup({"Ann", "Bob", "Cy", "Dan"});
  setting<QSpinBox>("photosPerPerson")->setValue(1);
  auto* moveOn = setting<QCheckBox>("selectNextRemaining");
  ASSERT_NE(moveOn, nullptr);
  EXPECT_FALSE(moveOn->isChecked()) << "off at first";
  moveOn->setChecked(true);
  // Z to A: Dan, Cy, Bob, Ann.
  app().list().nameHeaderClicked(NamesTableModel::NameColumn);
  app().list().nameHeaderClicked(NamesTableModel::NameColumn);
  select(3);

  shoot("IMG_0001.JPG");
  EXPECT_EQ(app().list().captureRow(), 1) << "past Cy, who has a photo, to Bob";
  EXPECT_EQ(status(), "Dan has 1 photo — selected Bob");
  // The next photo is Bob's.
  EXPECT_EQ(QFileInfo(shoot("IMG_0002.JPG")).fileName(), "Bob_0002.JPG");
  EXPECT_EQ(app().list().captureRow(), 0);
  shoot("IMG_0003.JPG");
  EXPECT_EQ(status(), "Ann has 1 photo — nobody shown has fewer than 1");
  EXPECT_EQ(app().list().captureRow(), 0) << "nobody is left: the selection stays";
}

TEST_F(ShootGuardsTest, MoveLastPhotosTakesTheWrongPersonsPhotosWithCountsStoreAndBackup) {
  launchWithBackup({"Ann", "Bob"});
  QAction* item = menuItem(QStringLiteral("Move Last Photos…"));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+M")));
  item->trigger();
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Move Last Photos")) == 1; }));
  EXPECT_TRUE(dialogs_.lastPhotosRequests.isEmpty()) << "nothing filed yet: nothing to ask";

  select(0);
  shoot("IMG_0001.JPG");
  shoot("IMG_0002.JPG");
  ASSERT_TRUE(waitFor([&] { return files(backupDir() + "/Ann").size() == 2; }));
  ASSERT_TRUE(waitFor([&] { return app().backup().backup().queue().empty(); }));
  // The backup drive goes away: the third photo waits in the queue.
  ASSERT_TRUE(QDir().rename(backupDir(), backupDir() + "-away"));
  QSignalSpy done(&app().backup(), &BackupController::backupJobDone);
  shoot("IMG_0003.JPG");
  ASSERT_TRUE(waitFor([&] { return done.count() >= 1; }));
  ASSERT_EQ(app().backup().backup().queue().size(), 1u);
  ASSERT_TRUE(QDir().rename(backupDir() + "-away", backupDir()));

  // The last two were Bob's.
  QSignalSpy moved(&app().lastPhotos(), &LastPhotosController::photosMoved);
  dialogs_.lastPhotosMoves.push_back({2, QStringLiteral("Bob")});
  item->trigger();
  ASSERT_EQ(dialogs_.lastPhotosRequests.size(), 1);
  EXPECT_EQ(dialogs_.lastPhotosRequests[0].recentPhotos,
            QStringList({"Ann_0003.JPG", "Ann_0002.JPG", "Ann_0001.JPG"}));
  EXPECT_EQ(dialogs_.lastPhotosRequests[0].names, QStringList({"Ann", "Bob"}));

  EXPECT_EQ(files(photos() + "/Ann"), QStringList({"Ann_0001.JPG"}));
  EXPECT_EQ(files(photos() + "/Bob"), QStringList({"Bob_0004.JPG", "Bob_0005.JPG"}));
  QFile moved3(photos() + "/Bob/Bob_0005.JPG");
  ASSERT_TRUE(moved3.open(QIODevice::ReadOnly));
  EXPECT_EQ(moved3.readAll(), "bytes of IMG_0003.JPG");
  EXPECT_EQ(app().filing().counterText(), "6");
  EXPECT_EQ(status(), "Moved 2 photos to \"Bob\".");
  EXPECT_EQ(count(0), 1);
  EXPECT_EQ(count(1), 2);
  QFile store(env().gridStorePath);
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  const QByteArray stored = store.readAll();
  EXPECT_TRUE(stored.contains("\nAnn,,1,")) << stored.toStdString();
  EXPECT_TRUE(stored.contains("\nBob,,2,")) << stored.toStdString();

  // The copy already made moved along; the waiting photo is copied under its new name.
  ASSERT_TRUE(waitFor([&] { return app().backup().backup().queue().empty(); }));
  EXPECT_EQ(files(backupDir() + "/Ann"), QStringList({"Ann_0001.JPG"}));
  EXPECT_EQ(files(backupDir() + "/Bob"), QStringList({"Bob_0004.JPG", "Bob_0005.JPG"}));
  EXPECT_TRUE(app().backup().backup().failedBackups().empty());

  ASSERT_EQ(moved.count(), 1);
  const auto moves = moved.first().at(0).value<std::vector<std::pair<std::string, std::string>>>();
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0], std::make_pair((photos() + "/Ann/Ann_0002.JPG").toStdString(),
                                     (photos() + "/Bob/Bob_0004.JPG").toStdString()));
}

}  // namespace
