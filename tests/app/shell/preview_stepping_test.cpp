// The preview: the newest capture once the camera pauses, and stepping through the shoot's
// photos in the order they were taken, whatever folder they are in.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "main_window.h"
#include "shell_fixture.h"
#include "vantrel_table_view.h"

namespace {

class PreviewSteppingTest : public ShellTest {
 protected:
  VantrelAppDelegate& launchWithPhotos() {
    setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
    return launch();
  }
  // A small image at `relative` below the photos folder, last modified at `modified`.
  QString photo(const QString& relative, const QDateTime& modified) {
    const QString file = photos() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::gray);
    EXPECT_TRUE(image.save(file, "JPEG"));
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadWrite));
    EXPECT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
    return file;
  }
  PreviewViews& views() { return static_cast<MainWindow*>(app().window())->previewViews; }
  bool shows(const QString& file) {
    return waitFor([&] { return app().preview().currentPreviewPath() == file; }, 5000);
  }
  const QDateTime ten_ = QDateTime(QDate(2024, 5, 6), QTime(10, 0));
};

TEST_F(PreviewSteppingTest, ABurstShowsOnlyItsLastPhotoOnceTheCameraPauses) {
  auto& app = launchWithPhotos();
  const QString a = photo(QStringLiteral("Ann/Ann_0001.jpg"), ten_);
  const QString b = photo(QStringLiteral("Ann/Ann_0002.jpg"), ten_.addSecs(1));
  const QString c = photo(QStringLiteral("Ann/Ann_0003.jpg"), ten_.addSecs(2));
  for (const QString& shot : {a, b}) {
    app.preview().scheduleLatestCapturePreviewAtPath(shot.toStdString());
    QTest::qWait(200);
  }
  app.preview().scheduleLatestCapturePreviewAtPath(c.toStdString());
  QTest::qWait(300);  // each shot within 0.45 s pushes the preview back
  EXPECT_TRUE(app.preview().currentPreviewPath().isEmpty());
  EXPECT_EQ(views().fileName->text(), "No preview yet");
  ASSERT_TRUE(shows(c));
  EXPECT_EQ(views().fileName->text(), "Ann_0003.jpg  (3/3)");
  EXPECT_TRUE(views().downloadedPill->isVisibleTo(app.window()));
}

TEST_F(PreviewSteppingTest, SteppingFollowsTheTimeTakenAcrossFoldersAndStopsAtTheEnds) {
  auto& app = launchWithPhotos();
  const QString first = photo(QStringLiteral("Ann/Ann_0001.jpg"), ten_);
  const QString last = photo(QStringLiteral("Bob/Bob_0001.JPG"), ten_.addSecs(5 * 60));
  const QString middle = photo(QStringLiteral("Cy_FR/deeper/Cy_0001.jpeg"), ten_.addSecs(2 * 60));
  // Raw files are filed and counted, never previewed, however new.
  QFile raw(photos() + QStringLiteral("/Bob/Bob_0002.CR3"));
  ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
  raw.write("raw bytes");
  raw.close();

  app.preview().showPreviewPath(first.toStdString(), true);
  ASSERT_TRUE(shows(first));
  EXPECT_EQ(app.preview().previewImagePaths(), (QStringList{first, middle, last}));
  EXPECT_EQ(views().fileName->text(), "Ann_0001.jpg  (1/3)");
  EXPECT_FALSE(views().previousButton->isEnabled());
  EXPECT_TRUE(views().nextButton->isEnabled());
  EXPECT_TRUE(views().revealButton->isEnabled());

  // The arrow keys step too, from anywhere in the window but a text field.
  auto* table = static_cast<MainWindow*>(app.window())->table;
  QTest::keyClick(table, Qt::Key_Left);  // nothing before the first
  EXPECT_EQ(app.preview().previewIndex(), 0);
  QTest::keyClick(table, Qt::Key_Right);
  ASSERT_TRUE(shows(middle));
  EXPECT_EQ(views().fileName->text(), "Cy_0001.jpeg  (2/3)");
  EXPECT_TRUE(views().previousButton->isEnabled());
  EXPECT_TRUE(views().nextButton->isEnabled());
  app.preview().previewNextImage();
  ASSERT_TRUE(shows(last));
  EXPECT_EQ(views().fileName->text(), "Bob_0001.JPG  (3/3)");
  EXPECT_FALSE(views().nextButton->isEnabled());
  app.preview().previewNextImage();  // no wrapping around
  QTest::keyClick(table, Qt::Key_Right);
  QTest::qWait(300);
  EXPECT_EQ(app.preview().previewIndex(), 2);
  EXPECT_EQ(app.preview().currentPreviewPath(), last);

  app.preview().previewPreviousImage();
  app.preview().previewPreviousImage();
  ASSERT_TRUE(shows(first));
  EXPECT_EQ(app.preview().previewIndex(), 0);
  EXPECT_FALSE(views().previousButton->isEnabled());
}

TEST_F(PreviewSteppingTest, TheLabelNamesThePhotoAndItsPlaceInTheShoot) {
  auto& app = launchWithPhotos();
  QString seventh;
  for (int i = 1; i <= 12; ++i) {
    const QString name = QStringLiteral("Anna/Anna_%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
    const QString file = photo(name, ten_.addSecs(i * 60));
    if (i == 7) seventh = file;
  }
  app.preview().showPreviewPath(seventh.toStdString(), true);
  ASSERT_TRUE(shows(seventh));
  EXPECT_EQ(views().fileName->text(), "Anna_0007.jpg  (7/12)");
}

}  // namespace
