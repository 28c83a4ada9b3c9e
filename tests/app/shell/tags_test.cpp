// Folder suffix tags from the settings popover to the folder of the next photo.
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>

#include "shell_fixture.h"

namespace {

using TagsTest = ShellTest;

QVariantMap tag(const QString& label, const QString& suffix, bool on) {
  return {{QStringLiteral("label"), label},
          {QStringLiteral("suffix"), suffix},
          {QStringLiteral("on"), on}};
}

TEST_F(TagsTest, TwoTagsOnFileTheNextPhotoIntoTheTaggedFolder) {
  writeGridStore({QStringLiteral("Ann Lee")});
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  setStoredValue(
      QStringLiteral("VantrelSuffixes"),
      QVariantList{tag(QStringLiteral("FR"), QStringLiteral("_FR"), false),
                   tag(QStringLiteral("SS"), QStringLiteral("_SS"), false),
                   QStringLiteral("not a record"), tag(QString(), QStringLiteral("_X"), true)});
  auto& app = launch();
  auto* fr = app.window()->findChild<QPushButton*>(QStringLiteral("tagButton0"));
  auto* ss = app.window()->findChild<QPushButton*>(QStringLiteral("tagButton1"));
  ASSERT_TRUE(fr && ss);
  EXPECT_EQ(app.window()->findChild<QPushButton*>(QStringLiteral("tagButton2")), nullptr);
  fr->click();
  ss->click();
  EXPECT_EQ(
      app.status().lastFriendlyStatus(),
      "Suffix active: photos save to folders tagged \"_FR_SS\" (see Next: in the info line).");

  QFile download(photos() + "/IMG_0001.JPG");
  ASSERT_TRUE(download.open(QIODevice::WriteOnly));
  download.write(QByteArray(100, 'x'));
  download.close();
  QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
  feedLine("DOWNLOADED|" + download.fileName().toStdString());
  ASSERT_TRUE(waitFor([&] { return filed.count() == 1; }));
  EXPECT_EQ(filed.first().at(0).toString(), photos() + "/Ann Lee_FR_SS/Ann Lee_FR_SS_0001.JPG");

  // The states survive a restart.
  app.applicationWillTerminate();
  QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"));
  const QVariantList stored = settings.value(QStringLiteral("VantrelSuffixes")).toList();
  ASSERT_EQ(stored.size(), 2);
  EXPECT_TRUE(stored[1].toMap().value(QStringLiteral("on")).toBool());
}

TEST_F(TagsTest, SavingTheEditorWithEveryLabelBlankLeavesOneTagOff) {
  setStoredValue(QStringLiteral("VantrelSuffixes"),
                 QVariantList{tag(QStringLiteral("A"), QStringLiteral("_A"), true)});
  auto& app = launch();
  dialogs_.suffixAnswers.push_back({{QStringLiteral("  "), QStringLiteral("_A")},
                                    {QString(), QString()},
                                    {QString(), QString()},
                                    {QString(), QString()},
                                    {QString(), QString()}});
  app.tags().manageSuffixes();
  ASSERT_EQ(dialogs_.suffixRowsShown.size(), 1);
  EXPECT_EQ(dialogs_.suffixRowsShown[0].first, "A");
  ASSERT_EQ(app.tags().suffixes().tags().size(), 1u);
  EXPECT_EQ(app.tags().suffixes().tags()[0].label, "FR");
  EXPECT_EQ(app.tags().suffixes().tags()[0].suffix, "_FR");
  EXPECT_FALSE(app.tags().suffixes().tags()[0].on);
  auto* button = app.window()->findChild<QPushButton*>(QStringLiteral("tagButton0"));
  ASSERT_TRUE(button);
  EXPECT_EQ(button->text(), "FR");
}

}  // namespace
