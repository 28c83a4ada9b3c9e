// The yearbook from the window: the export dialog as the operator sees it (the guessed columns in
// plain sight, a bad volume name stopping the export), and a shoot day's portraits chosen from
// the preview, following their photos through a rename, exported on a thread of its own with the
// people without a portrait listed and the package's file names kept for the next export.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "column_guess.h"
#include "portrait_frame.h"
#include "shell_fixture.h"
#include "yearbook_export_dialog.h"
#include "yearbook_fields.h"

namespace yb = vantrel::yearbook;

namespace {

YearbookExportRequest germanRoster() {
  YearbookExportRequest request;
  request.fieldNames = {"Schüler-ID", "Nachname", "Vorname", "Klasse"};
  request.guess = yb::guessColumnMapping({"Schüler-ID", "Nachname", "Vorname", "Klasse"});
  request.initial.volumeName = "Lincoln_2027";
  request.outputFolder = "/tmp/out";
  request.people = 3;
  return request;
}

template <typename Widget>
Widget* child(QWidget& dialog, const QString& name) {
  auto* widget = dialog.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name.toStdString();
  return widget;
}

TEST(YearbookDialog, ShowsTheGuessedColumnsAndAnswersWithWhatIsChosen) {
  YearbookExportDialog dialog(germanRoster());
  dialog.show();
  EXPECT_EQ(child<QComboBox>(dialog, "source:Last Name")->currentText(), "Nachname");
  EXPECT_EQ(child<QComboBox>(dialog, "source:First Name")->currentText(), "Vorname");
  EXPECT_EQ(child<QComboBox>(dialog, "source:Grade")->currentText(), "Klasse");
  EXPECT_EQ(child<QComboBox>(dialog, "source:Teacher Name")->currentText(), "Leave empty");
  EXPECT_FALSE(child<QLineEdit>(dialog, "fixed:Title")->isVisible());

  // A fixed text for one column, another field for another, the small size.
  auto* title = child<QComboBox>(dialog, "source:Title");
  title->setCurrentIndex(title->count() - 1);
  EXPECT_TRUE(child<QLineEdit>(dialog, "fixed:Title")->isVisible());
  child<QLineEdit>(dialog, "fixed:Title")->setText("Student");
  child<QComboBox>(dialog, "source:Home Room")->setCurrentText("Klasse");
  child<QComboBox>(dialog, "portraitSize")->setCurrentIndex(1);
  child<QSpinBox>(dialog, "headroom")->setValue(40);
  child<QLineEdit>(dialog, "copyright")->setText("  © Studio Nord  ");

  const YearbookExportAnswer answer = dialog.answer();
  EXPECT_EQ(answer.options.volumeName, "Lincoln_2027");
  EXPECT_EQ(answer.options.size, yb::PortraitSize::Small);
  EXPECT_DOUBLE_EQ(answer.options.headroom, 0.4);
  EXPECT_EQ(answer.options.copyright, "© Studio Nord");
  EXPECT_EQ(answer.outputFolder, "/tmp/out");
  const yb::ColumnMapping& mapping = answer.options.mapping;
  EXPECT_EQ(mapping.source(yb::PspaColumn::LastName), yb::ColumnSource::field("Nachname"));
  EXPECT_EQ(mapping.source(yb::PspaColumn::HomeRoom), yb::ColumnSource::field("Klasse"));
  EXPECT_EQ(mapping.source(yb::PspaColumn::Title), yb::ColumnSource::fixed("Student"));
  EXPECT_EQ(mapping.source(yb::PspaColumn::TeacherName), yb::ColumnSource{});
}

TEST(YearbookDialog, ExportWaitsForAUsableVolumeNameAndAFolder) {
  YearbookExportDialog dialog(germanRoster());
  dialog.show();
  QPushButton* exportButton = nullptr;
  for (auto* button : dialog.findChildren<QPushButton*>())
    if (button->text() == "Export") exportButton = button;
  ASSERT_NE(exportButton, nullptr);
  EXPECT_TRUE(exportButton->isEnabled());
  auto* problem = child<QLabel>(dialog, "volumeProblem");
  EXPECT_FALSE(problem->isVisible());

  child<QLineEdit>(dialog, "volumeName")->setText("Lincoln High/2027");
  EXPECT_FALSE(exportButton->isEnabled());
  EXPECT_TRUE(problem->isVisible());
  EXPECT_FALSE(problem->text().isEmpty());

  child<QLineEdit>(dialog, "volumeName")->setText("Lincoln_High_2027");
  EXPECT_TRUE(exportButton->isEnabled());
  child<QLineEdit>(dialog, "outputFolder")->setText("  ");
  EXPECT_FALSE(exportButton->isEnabled());
}

TEST(YearbookDialog, ScreenshotOfTheExportDialog) {
  const QString folder = qEnvironmentVariable("VANTREL_SCREENSHOT_DIR");
  if (folder.isEmpty()) GTEST_SKIP() << "set VANTREL_SCREENSHOT_DIR to keep a screenshot";
  YearbookExportRequest request = germanRoster();
  request.initial.copyright = "© 2027 Studio Nord. All rights reserved.";
  YearbookExportDialog dialog(request);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QTest::qWait(200);
  QDir().mkpath(folder);
  EXPECT_TRUE(dialog.grab().save(folder + "/yearbook_export.png"));
}

TEST(YearbookCropFrame, DimsWhatTheCropLeavesOutAndKeepsTheCrop) {
  QImage landscape(500, 400, QImage::Format_RGB32);
  landscape.fill(Qt::white);
  // 4:5 of a 500 × 400 photo: 320 × 400, centred (x 90 to 409).
  const QImage framed = withPortraitFrame(landscape, 0.0);
  ASSERT_EQ(framed.size(), landscape.size());
  EXPECT_LT(qRed(framed.pixel(45, 200)), 200) << "left of the crop";
  EXPECT_LT(qRed(framed.pixel(455, 200)), 200) << "right of the crop";
  EXPECT_EQ(qRed(framed.pixel(250, 200)), 255) << "inside";
  EXPECT_EQ(qRed(framed.pixel(95, 200)), 255) << "just inside the left edge";
  // A tall photo: head room moves the crop up.
  QImage tall(400, 1000, QImage::Format_RGB32);
  tall.fill(Qt::white);
  const QImage top = withPortraitFrame(tall, 1.0);
  EXPECT_EQ(qRed(top.pixel(200, 100)), 255);
  EXPECT_LT(qRed(top.pixel(200, 900)), 200);
}

class YearbookTest : public ShellTest {
 protected:
  // A real JPEG downloaded by the worker and filed for the selected person; its filed path.
  QString shootPhoto(const QString& cameraName, QColor colour) {
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(photos() + "/" + cameraName, "JPG"));
    QSignalSpy filed(&app().filing(), &FilingController::captureFiled);
    feedLine("DOWNLOADED|" + (photos() + "/" + cameraName).toStdString());
    EXPECT_TRUE(waitFor([&] { return filed.count() == 1; }));
    return filed.isEmpty() ? QString() : filed.first().at(0).toString();
  }
  void select(qint64 row) {
    app().list().names().setSelectedRow(row);
    app().list().selectModelRowInTable(row, false);
  }
  void showInPreview(const QString& path) {
    app().preview().showPreviewPath(path.toStdString(), true);
    ASSERT_TRUE(waitFor([&] { return app().preview().currentPreviewPath() == path; }));
  }
  std::string field(qint64 row, std::string_view name) {
    return std::string(app().list().names().fieldValue(row, name));
  }
};

TEST_F(YearbookTest, AChosenPortraitFollowsItsPhotoAndTheExportKeepsItsFileName) {
  launchWithBackup({"Ann Lee", "Bob"});
  select(0);
  const QString first = shootPhoto("IMG_0001.JPG", Qt::red);
  shootPhoto("IMG_0002.JPG", Qt::blue);

  // The crop frame is a setting of its own, kept for the next launch.
  app().yearbook().setPortraitFrameShown(true);
  EXPECT_TRUE(app().preview().portraitFrameShown());
  EXPECT_TRUE(QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"))
                  .value("VantrelYearbookFrameShown")
                  .toBool());

  // The first photo, not the last, is Ann's yearbook portrait.
  showInPreview(first);
  app().yearbook().useShownPhotoForYearbook();
  EXPECT_EQ(field(0, yb::kYearbookPhotoField), "Ann Lee/Ann Lee_0001.JPG");
  EXPECT_EQ(app().status().lastFriendlyStatus(),
            "Ann Lee_0001.JPG is Ann Lee's yearbook portrait.");

  // Ann's photos go to her full name: a new row, and the choice goes with the photo.
  dialogs_.moveFormAnswers.push_back([](const MoveFormRequest& request) {
    auto answer = ScriptedDialogs::asShown(request);
    answer->name = QStringLiteral("Ann Leigh");
    return answer;
  });
  app().repair().renameFolderAndImagesForRow(0);
  ASSERT_EQ(app().list().names().rowCount(), 3);
  ASSERT_EQ(app().list().names().nameForModelRow(1), "Ann Leigh");
  EXPECT_EQ(field(0, yb::kYearbookPhotoField), "");
  EXPECT_EQ(field(1, yb::kYearbookPhotoField), "Ann Leigh/Ann Leigh_0001.JPG");

  // The export: Ann Leigh's chosen (red) portrait, nobody else has a photo.
  const QString out = path("yearbook");
  QDir().mkpath(out);
  dialogs_.yearbookAnswers.push_back([out](const YearbookExportRequest& request) {
    YearbookExportAnswer answer{request.initial, out};
    answer.options.volumeName = "Spring_2027";
    return std::optional<YearbookExportAnswer>(answer);
  });
  dialogs_.answers.push_back(0);
  QSignalSpy finished(&app().yearbook(), &YearbookController::exportFinished);
  app().yearbook().exportPackage();
  ASSERT_EQ(dialogs_.yearbookRequests.size(), 1);
  EXPECT_EQ(dialogs_.yearbookRequests[0].people, 3);
  ASSERT_TRUE(waitFor([&] { return finished.count() == 1; }));
  EXPECT_FALSE(app().yearbook().exportRunning());

  const QString package = out + "/Spring_2027";
  EXPECT_TRUE(QFile::exists(package + "/INDEX.TXT"));
  const std::string fileName = field(1, yb::kYearbookFileField);
  ASSERT_FALSE(fileName.empty());
  EXPECT_EQ(field(0, yb::kYearbookFileField), "");
  EXPECT_EQ(field(2, yb::kYearbookFileField), "");
  QImage portrait;
  const QStringList found = QDir(package).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  ASSERT_EQ(found.size(), 1);
  ASSERT_TRUE(portrait.load(package + "/" + found[0] + "/" + QString::fromStdString(fileName)));
  EXPECT_EQ(portrait.size(), QSize(640, 800));
  EXPECT_GT(qRed(portrait.pixel(320, 400)), 200) << "the chosen photo, not the last one";
  // The summary names who has no portrait; the names went to the store.
  ASSERT_EQ(dialogs_.count("Yearbook Package Written"), 1);
  const QString summary = dialogs_.alerts.back().message;
  EXPECT_TRUE(summary.contains("Ann Lee (")) << summary.toStdString();
  EXPECT_TRUE(summary.contains("Bob (")) << summary.toStdString();
  QFile store(env().gridStorePath);
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_TRUE(store.readAll().contains(QByteArray::fromStdString(fileName)));

  // A second export into the same folder is refused unless asked to replace.
  dialogs_.yearbookAnswers.push_back([out](const YearbookExportRequest& request) {
    EXPECT_EQ(request.initial.volumeName, "Spring_2027") << "remembered";
    return std::optional<YearbookExportAnswer>(YearbookExportAnswer{request.initial, out});
  });
  app().yearbook().exportPackage();
  ASSERT_TRUE(waitFor([&] { return finished.count() == 2; }));
  EXPECT_EQ(dialogs_.count("Yearbook Package Not Written"), 1);
}

}  // namespace
