// Rosters into the window and back out: the file picker, drops on the table and on the empty
// list, pasting into the empty list, and the export.
#include <QClipboard>

#include "names_window_fixture.h"

namespace {

using NamesImportTest = NamesWindowTest;

TEST_F(NamesImportTest, ThePickerAsksBeforeReplacingAndReportsTheCount) {
  auto& app = launchWith({QStringLiteral("Old One"), QStringLiteral("Old Two")});
  const QString roster = writeFile(QStringLiteral("class.csv"),
                                   "Name,Room\r\n  Ann,1\r\n\"Lee, Bo\",2\r\n,3\r\nCy\r\n");
  dialogs_.files = {roster, roster};
  dialogs_.answers = {1, 0};  // Cancel, then Replace
  app.list().loadCSV();
  EXPECT_EQ(dialogs_.count(QStringLiteral("Replace current list?")), 1);
  EXPECT_EQ(listNames(), QStringList({"Old One", "Old Two"}));

  EXPECT_TRUE(dialogs_.previews.isEmpty()) << "no preview after Cancel";
  app.list().loadCSV();
  ASSERT_EQ(dialogs_.previews.size(), 1);
  EXPECT_EQ(dialogs_.previews.first().title, "Import “class.csv”");
  EXPECT_EQ(listNames(), QStringList({"  Ann", "Lee, Bo", "Cy"}));
  ASSERT_EQ(dialogs_.alerts.last().title, "Imported 3 names");
  EXPECT_TRUE(dialogs_.alerts.last().message.startsWith("The names come from the column chosen"));
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Imported 3 names. 1 other column kept.");
  EXPECT_EQ(storedValue(QStringLiteral("VantrelLastCSVPath")).toString(), roster);
  EXPECT_EQ(store(),
            "File Name,Notes,Captured,Marker,Room\n  Ann,,0,,1\n\"Lee, Bo\",,0,,2\nCy,,0,,");
  EXPECT_EQ(selectedDisplayRows(), QList<int>({0}));
}

// Replacing the list with a file that cannot be read would lose every name for nothing.
TEST_F(NamesImportTest, AnUnreadableFileKeepsTheList) {
  auto& app = launchWith({QStringLiteral("Ann")});
  dialogs_.files = {path(QStringLiteral("gone.csv"))};
  dialogs_.answers = {0};
  app.list().loadCSV();
  EXPECT_EQ(dialogs_.count(QStringLiteral("Import Failed")), 1);
  EXPECT_EQ(listNames(), QStringList({"Ann"}));
  EXPECT_TRUE(store().endsWith("\nAnn,,0,"));
}

TEST_F(NamesImportTest, TwoFilesDroppedOnTheTableAreAddedInOrderAndTheFirstNewRowSelected) {
  auto& app = launchWith({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
  QTest::keyClicks(searchField(), QStringLiteral("B"));
  dialogs_.answers = {0};  // Add
  std::unique_ptr<QMimeData> data(files({writeFile(QStringLiteral("first.csv"), "N\nX\nY\n"),
                                         writeFile(QStringLiteral("notes.doc"), "N\nW\n"),
                                         writeFile(QStringLiteral("second.TXT"), "N\nZ\n")}));
  const auto outcome = dragAndDrop(table()->viewport(), data.get(), ontoRow(0));
  EXPECT_TRUE(outcome.hoverAccepted && outcome.dropAccepted);
  ASSERT_TRUE(waitFor([&] { return app.list().names().rowCount() == 6; }, 3000));
  EXPECT_EQ(dialogs_.alerts.last().message,
            "The list already has 3 names. Add the dropped names to it, or replace the whole "
            "list?");
  EXPECT_EQ(listNames(), QStringList({"A", "B", "C", "X", "Y", "Z"}));
  ASSERT_EQ(dialogs_.previews.size(), 1) << "one preview for both files";
  EXPECT_EQ(dialogs_.previews.first().title, "Import 2 files");
  EXPECT_EQ(app.list().names().selectedRow(), 3);
  EXPECT_EQ(selectedDisplayRows(), QList<int>({3}));
  EXPECT_EQ(shownNames().size(), 6) << "the search is cleared";
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Added 3 names from dropped file.");
  EXPECT_TRUE(store().endsWith("\nX,,0,\nY,,0,\nZ,,0,"));
}

TEST_F(NamesImportTest, DroppingAFileWithNoNamesAndChoosingReplaceEmptiesTheList) {
  auto& app = launchWith({QStringLiteral("A"), QStringLiteral("B")});
  dialogs_.answers = {1};  // Replace
  std::unique_ptr<QMimeData> data(
      files({writeFile(QStringLiteral("blank.csv"), "Name,Room\n,1\n\n")}));
  EXPECT_TRUE(dragAndDrop(table()->viewport(), data.get(), ontoRow(1)).dropAccepted);
  ASSERT_TRUE(waitFor([&] { return app.list().names().isEmpty(); }, 3000));
  EXPECT_EQ(app.list().names().selectedRow(), -1);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Replaced list with 0 names from dropped file.");
  EXPECT_EQ(store(), "File Name,Notes,Captured,Marker");
  EXPECT_TRUE(dropZoneShown());
}

TEST_F(NamesImportTest, TheEmptyListZoneTakesOnlyRosterFilesAndImportsOnClick) {
  auto& app = launchWith({});
  ASSERT_TRUE(dropZoneShown());
  QDir().mkpath(path(QStringLiteral("folder.csv")));
  std::unique_ptr<QMimeData> refused(
      files({path(QStringLiteral("folder.csv")), writeFile(QStringLiteral("a.xls"), "N\nQ")}));
  EXPECT_FALSE(dragAndDrop(dropZone(), refused.get(), {50, 50}).dropAccepted);

  std::unique_ptr<QMimeData> rosters(files({writeFile(QStringLiteral("a.csv"), "N\nAnn\nBob"),
                                            writeFile(QStringLiteral("b.txt"), "N\nCy")}));
  EXPECT_TRUE(dragAndDrop(dropZone(), rosters.get(), {50, 50}).dropAccepted);
  EXPECT_EQ(listNames(), QStringList({"Ann", "Bob", "Cy"}));
  EXPECT_EQ(app.list().names().selectedRow(), 0);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Added 3 names from dropped file.");
  EXPECT_TRUE(dialogs_.alerts.isEmpty()) << "no question on the empty list";

  app.list().names().reset();
  app.list().reloadTable();
  ASSERT_TRUE(dropZoneShown());
  dialogs_.files = {writeFile(QStringLiteral("c.csv"), "N\nDee")};
  QTest::mouseClick(dropZone(), Qt::LeftButton, {}, {40, 40});
  EXPECT_EQ(listNames(), QStringList({"Dee"}));
}

// The empty list promises "paste names with Ctrl+V": the keys must reach the list, not a field.
TEST_F(NamesImportTest, OnTheEmptyListCtrlVPastesNames) {
  auto& app = launchWith({});
  activateWindow();
  EXPECT_FALSE(noteField()->isEnabled()) << "no one to write a note for";
  QGuiApplication::clipboard()->setText(QStringLiteral("Ann\r\nBob\r\n"));
  ASSERT_TRUE(waitFor([] { return QApplication::focusWidget() != nullptr; }, 3000));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(listNames(), QStringList({"Ann", "Bob"}));
  EXPECT_EQ(app.filing().counterText(), "1");
  EXPECT_EQ(QApplication::focusWidget(), table()) << "the focus follows the list";
}

TEST_F(NamesImportTest, ExportWritesNamesAndNotesQuotedWhereNeeded) {
  auto& app = launchWith({});
  app.list().exportGrid();
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Nothing to Export")) == 1; }));

  dialogs_.files = {writeFile(QStringLiteral("in.csv"), "N\nAnn\n\"Lee \"\"Bo\"\"\"")};
  app.list().loadCSV();
  QTest::keyClicks(noteField(), QStringLiteral("late, blue"));
  dialogs_.saveFiles = {path(QStringLiteral("out")), path(QStringLiteral("no/such/list.csv"))};
  app.list().exportGrid();
  EXPECT_EQ(readFile(path(QStringLiteral("out.csv"))),
            "File Name,Notes\nAnn,\"late, blue\"\n\"Lee \"\"Bo\"\"\",");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Exported 2 rows to out.csv.");
  app.list().exportGrid();
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Export Failed")) == 1; }));
}

TEST_F(NamesImportTest, ScreenshotOfTheEmptyListDropZone) {
  launchWith({});
  ASSERT_TRUE(dropZoneShown());
  QTest::qWait(200);
  const QString folder = qEnvironmentVariable("VANTREL_SCREENSHOT_DIR");
  if (folder.isEmpty()) GTEST_SKIP() << "set VANTREL_SCREENSHOT_DIR to keep a screenshot";
  QDir().mkpath(folder);
  EXPECT_TRUE(app().window()->grab().save(folder + "/empty_list_drop_zone.png"));
}

}  // namespace
