// Finding and editing names in the window: search, filter, sort, the clipboard, the row menu,
// notes, markers, drags, in-place edits, arrow keys and the reset.
#include <QClipboard>
#include <QFont>
#include <QSignalSpy>

#include "names_window_fixture.h"
#include "palette.h"

namespace {

using NamesEditingTest = NamesWindowTest;

QString note(VantrelAppDelegate& app, qint64 row) {
  return QString::fromStdString(std::string(app.list().names().noteForModelRow(row)));
}

TEST_F(NamesEditingTest, ASearchHidesTheCurrentPersonWhoStillGetsTheNextPhoto) {
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("Bob")});
  app.list().moveGridSelectionBy(1);
  QTest::keyClicks(searchField(), QStringLiteral("ann"));
  EXPECT_EQ(shownNames(), QStringList({"Ann"}));
  EXPECT_TRUE(selectedDisplayRows().isEmpty());

  const QString download = writeFile(QStringLiteral("photos/IMG_0001.JPG"), QByteArray(99, 'x'));
  QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
  feedLine("DOWNLOADED|" + download.toStdString());
  ASSERT_TRUE(waitFor([&] { return filed.count() == 1; }));
  EXPECT_EQ(filed.first().at(0).toString(), photos() + "/Bob/Bob_0001.JPG");
  EXPECT_EQ(shownNames(), QStringList({"Ann"}));

  child<QPushButton>("clearSearchButton")->click();
  EXPECT_EQ(selectedDisplayRows(), QList<int>({1})) << "Bob shows selected again";
}

TEST_F(NamesEditingTest, TheFilterButtonCyclesAndTheCurrentPersonSurvivesIt) {
  writeStoreRows({{"Ann", "", "2", ""}, {"Bob", "", "0", ""}, {"Cy", "", "x", ""}});
  auto& app = launch();
  app.list().moveGridSelectionBy(1);
  auto* filter = child<QPushButton>("filterButton");
  filter->click();
  EXPECT_EQ(filter->text(), "Show: With Photos");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Showing only names that have photos.");
  EXPECT_EQ(shownNames(), QStringList({"Ann"}));
  filter->click();
  EXPECT_EQ(filter->text(), "Show: Remaining");
  EXPECT_EQ(shownNames(), QStringList({"Bob", "Cy"}));
  EXPECT_EQ(selectedDisplayRows(), QList<int>({0}));
  filter->click();
  EXPECT_EQ(filter->text(), "Show: All");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Showing all names.");
  EXPECT_EQ(selectedDisplayRows(), QList<int>({1}));
}

TEST_F(NamesEditingTest, TheNameHeaderClickedThreeTimesReturnsToListOrder) {
  auto& app = launchWith({QStringLiteral("bob"), QStringLiteral("Alice"), QStringLiteral("alice")});
  QHeaderView* header = table()->horizontalHeader();
  auto click = [&](int column) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      {header->sectionViewportPosition(column) + 10, header->height() / 2});
  };
  auto title = [&] { return table()->model()->headerData(1, Qt::Horizontal).toString(); };
  click(NamesTableModel::CountColumn);
  EXPECT_EQ(shownNames(), QStringList({"bob", "Alice", "alice"}));
  click(NamesTableModel::NameColumn);
  EXPECT_EQ(shownNames(), QStringList({"Alice", "alice", "bob"}));
  EXPECT_TRUE(title().startsWith("Name  ↑"));
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Sorted A → Z.");
  EXPECT_EQ(selectedDisplayRows(), QList<int>({2})) << "bob stays the current person";
  click(NamesTableModel::NameColumn);
  EXPECT_EQ(shownNames(), QStringList({"bob", "Alice", "alice"}));
  EXPECT_TRUE(title().startsWith("Name  ↓"));
  click(NamesTableModel::NameColumn);
  EXPECT_TRUE(title().startsWith("Name") && !title().contains("↑") && !title().contains("↓"));
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Original list order.");
}

TEST_F(NamesEditingTest, PasteAndCopyWorkOnTheListOnlyWhenNoTextFieldHasFocus) {
  auto& app = launchWith({QStringLiteral("Cy")});
  activateWindow();
  ASSERT_EQ(QApplication::focusWidget(), table()) << "the list starts with the focus";
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("Ann\n\nBob\tlate"));
  QTest::keyClick(table(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(listNames(), QStringList({"Cy", "Ann", "Bob"}));
  EXPECT_EQ(note(app, 2), "late");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Pasted 2 names.");
  EXPECT_EQ(app.list().names().selectedRow(), 1);
  EXPECT_TRUE(store().endsWith("\nAnn,,0,\nBob,late,0,"));

  app.list().moveGridSelectionBy(1);
  QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), "Bob\tlate");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Row copied.");

  clipboard->setText(QStringLiteral(" \tnot a name\r\n"));
  QTest::keyClick(table(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Nothing to Paste")) == 1; }));

  searchField()->setFocus();
  clipboard->setText(QStringLiteral("Bo"));
  QTest::keyClick(searchField(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(searchField()->text(), "Bo");
  EXPECT_EQ(app.list().names().rowCount(), 3);
  EXPECT_EQ(shownNames(), QStringList({"Bob"}));
}

TEST_F(NamesEditingTest, PlusAddsTheTrimmedSearchTextAndKeepsTheSearch) {
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("Bob")});
  auto* plus = child<QPushButton>("addSearchButton");
  plus->click();
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Nothing to Add")) == 1; }));
  QTest::keyClicks(searchField(), QStringLiteral("  Ann  "));
  plus->click();
  EXPECT_EQ(listNames(), QStringList({"Ann", "Bob", "Ann"}));
  EXPECT_EQ(shownNames(), QStringList({"Ann", "Ann"}));
  EXPECT_EQ(selectedDisplayRows(), QList<int>({1}));
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Added and selected: Ann");
}

TEST_F(NamesEditingTest, TheRowMenuInsertsBelowWithNothingSelectedAndAboveAClickedRow) {
  auto& app = launchWith({QStringLiteral("A"), QStringLiteral("B")});
  table()->clearSelection();
  chooseFromRowMenu(-1, QStringLiteral("Insert Row Below"));
  EXPECT_EQ(listNames(), QStringList({"A", "B", "New name"}));
  EXPECT_EQ(selectedDisplayRows(), QList<int>({2}));
  EXPECT_TRUE(store().endsWith("\nNew name,,0,"));

  QTest::keyClicks(searchField(), QStringLiteral("b"));
  chooseFromRowMenu(0, QStringLiteral("Insert Row Above"));  // B, the only match
  EXPECT_EQ(listNames(), QStringList({"A", "New name", "B", "New name"}));
  EXPECT_TRUE(searchField()->text().isEmpty());
  EXPECT_EQ(app.list().names().selectedRow(), 1);

  // The folder items ask whoever carries them out, for the clicked row.
  QObject::disconnect(&app.rows(), &NameRowActions::rowFolderActionRequested, nullptr, nullptr);
  QSignalSpy asked(&app.rows(), &NameRowActions::rowFolderActionRequested);
  chooseFromRowMenu(2, QStringLiteral("Rename Folder & Images…"));
  chooseFromRowMenu(0, QStringLiteral("Open Folder in File Manager"));
  ASSERT_EQ(asked.count(), 2);
  EXPECT_EQ(asked.at(0), QVariantList({QStringLiteral("rename"), qint64{2}}));
  EXPECT_EQ(asked.at(1), QVariantList({QStringLiteral("open"), qint64{0}}));
}

TEST_F(NamesEditingTest, DeletingTheOnlyRowLeavesAnEmptyList) {
  auto& app = launchWith({QStringLiteral("Ann")});
  chooseFromRowMenu(0, QStringLiteral("Delete Row"));
  EXPECT_TRUE(app.list().names().isEmpty());
  EXPECT_EQ(app.list().names().selectedRow(), -1);
  EXPECT_EQ(store(), "File Name,Notes,Captured,Marker");
  EXPECT_TRUE(dropZoneShown());
  EXPECT_FALSE(noteField()->isEnabled());
  EXPECT_EQ(noteField()->placeholderText(), "📝 Note for the selected name");
}

TEST_F(NamesEditingTest, NotesFromTheFieldAndTheRowMenuAreStoredAndShown) {
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("Bob")});
  auto* indicator = child<QPushButton>("noteIndicator");
  EXPECT_EQ(noteField()->placeholderText(), "📝 Note for Ann — type here, saves automatically");
  EXPECT_FALSE(indicator->isVisibleTo(app.window()));
  QTest::keyClicks(noteField(), QStringLiteral(" glasses"));
  EXPECT_TRUE(store().contains("\nAnn, glasses,0,")) << "typed notes are kept as typed";
  EXPECT_TRUE(indicator->isVisibleTo(app.window()));
  EXPECT_EQ(indicator->toolTip(), " glasses");
  EXPECT_EQ(table()->model()->index(0, NamesTableModel::MarkerColumn).data().toString(), "📝");

  app.list().moveGridSelectionBy(1);
  EXPECT_TRUE(noteField()->text().isEmpty());
  EXPECT_FALSE(indicator->isVisibleTo(app.window()));

  dialogs_.prompts = {QStringLiteral("  late  ")};
  chooseFromRowMenu(0, QStringLiteral("Edit Note…"));
  EXPECT_EQ(dialogs_.alerts.last().title, "Note for \"Ann\"");
  EXPECT_EQ(note(app, 0), "late");
  EXPECT_TRUE(store().contains("\nAnn,late,0,"));

  table()->selectAll();
  EXPECT_FALSE(noteField()->isEnabled());
  EXPECT_EQ(noteField()->placeholderText(), "📝 Multiple rows selected");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Selected: 2 rows — 0 photos total.");
}

TEST_F(NamesEditingTest, MarkersToggleFromTheMarkerColumnAndTheRowMenu) {
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("Bob")});
  QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                    ontoRow(1, NamesTableModel::MarkerColumn));
  EXPECT_TRUE(app.list().names().markerForModelRow(1));
  EXPECT_EQ(app.list().names().selectedRow(), 1) << "the click also selects the row";
  EXPECT_TRUE(store().endsWith("\nBob,,0,1"));
  QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, ontoRow(0));
  EXPECT_FALSE(app.list().names().markerForModelRow(0));
  chooseFromRowMenu(1, QStringLiteral("Mark Segment Start 🚩"));
  EXPECT_TRUE(store().endsWith("\nBob,,0,"));
}

TEST_F(NamesEditingTest, DraggingRowTwoBetweenRowsFiveAndSixMovesItToIndexFour) {
  launchWith({"A", "B", "C", "D", "E", "F", "G", "H"});
  std::unique_ptr<QMimeData> data(table()->_rowDragData(1));
  EXPECT_EQ(data->data(QStringLiteral("com.vantrel.tether.row-reorder")), "1");
  const auto outcome = dragAndDrop(table()->viewport(), data.get(), betweenRows(5));
  EXPECT_TRUE(outcome.hoverAccepted && outcome.dropAccepted);
  EXPECT_EQ(listNames(), QStringList({"A", "C", "D", "E", "B", "F", "G", "H"}));
  EXPECT_EQ(selectedDisplayRows(), QList<int>({4}));
  EXPECT_TRUE(store().contains("\nE,,0,\nB,,0,\nF,,0,"));

  std::unique_ptr<QMimeData> again(table()->_rowDragData(4));
  EXPECT_TRUE(dragAndDrop(table()->viewport(), again.get(), betweenRows(5)).dropAccepted);
  EXPECT_EQ(listNames(), QStringList({"A", "C", "D", "E", "B", "F", "G", "H"}))
      << "just below itself: nothing moves";
}

TEST_F(NamesEditingTest, UnderASearchARowCannotBeReorderedButCanBeDroppedOntoAnother) {
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Dana")});
  QTest::keyClicks(searchField(), QStringLiteral("a"));
  ASSERT_EQ(shownNames(), QStringList({"Ann", "Dana"}));
  std::unique_ptr<QMimeData> data(table()->_rowDragData(0));
  {
    QSignalSpy dropped(&app.rows(), &NameRowActions::rowDroppedOnRow);
    const auto between = dragAndDrop(table()->viewport(), data.get(), betweenRows(2));
    EXPECT_FALSE(between.hoverAccepted || between.dropAccepted);
    EXPECT_EQ(app.status().lastFriendlyStatus(),
              "To reorder rows, set the filter to Show: All, clear the search, and use original "
              "sort order.");
    EXPECT_EQ(listNames(), QStringList({"Ann", "Bob", "Dana"}));
    EXPECT_FALSE(dragAndDrop(table()->viewport(), data.get(), ontoRow(0)).hoverAccepted)
        << "not onto itself";
    EXPECT_TRUE(dragAndDrop(table()->viewport(), data.get(), ontoRow(1)).dropAccepted);
    ASSERT_TRUE(waitFor([&] { return dropped.count() == 1; }, 3000));
    EXPECT_EQ(dropped.first(), QVariantList({qint64{0}, qint64{2}}));
  }
  // With nothing to carry out the move, the drop says so instead of vanishing.
  QObject::disconnect(&app.rows(), &NameRowActions::rowDroppedOnRow, nullptr, nullptr);
  EXPECT_FALSE(dragAndDrop(table()->viewport(), data.get(), ontoRow(1)).dropAccepted);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Moving photos between names is not available.");
}

TEST_F(NamesEditingTest, OnlyTheNameIsEditedInPlaceAndBlankNamesAreRefused) {
  launchWith({QStringLiteral("Ann"), QStringLiteral("Bob")});
  auto* model = table()->model();
  EXPECT_FALSE(model->flags(model->index(0, NamesTableModel::MarkerColumn)) & Qt::ItemIsEditable);
  auto edit = [&](int row, const QString& typed) {
    table()->edit(model->index(row, NamesTableModel::NameColumn));
    auto* editor = table()->viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->setText(typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(20);
  };
  edit(0, QStringLiteral("   "));
  EXPECT_EQ(listNames(), QStringList({"Ann", "Bob"}));
  edit(1, QStringLiteral("  Ann"));
  EXPECT_EQ(listNames(), QStringList({"Ann", "  Ann"}));
  EXPECT_TRUE(store().endsWith("\n  Ann,,0,"));
}

TEST_F(NamesEditingTest, TheUpArrowWithNoSelectionSelectsTheLastRowEvenFromTheSearchField) {
  auto& app = launchWith({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
  table()->clearSelection();
  searchField()->setFocus();
  QTest::keyClick(searchField(), Qt::Key_Up);
  EXPECT_EQ(selectedDisplayRows(), QList<int>({2}));
  QTest::keyClick(searchField(), Qt::Key_Down);
  EXPECT_EQ(selectedDisplayRows(), QList<int>({2})) << "kept inside the table";
  QTest::keyClick(searchField(), Qt::Key_Up);
  EXPECT_EQ(app.list().names().selectedRow(), 1);
}

TEST_F(NamesEditingTest, ResetIsRefusedWhileWatching) {
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  auto& app = launchWith({QStringLiteral("Ann")});
  feedLine("CONNECTED|OK");
  ASSERT_TRUE(app.camera().state().watching);
  app.resetWorkflow();
  EXPECT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Stop Watching First")) == 1; }));
  EXPECT_EQ(dialogs_.count(QStringLiteral("Reset Vantrel Tether?")), 0);
  EXPECT_EQ(listNames(), QStringList({"Ann"}));
  EXPECT_EQ(app.filing().targetDir(), photos());
}

TEST_F(NamesEditingTest, ResetClearsTheWorkflowForTheNextJob) {
  setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  setStoredValue(QStringLiteral("VantrelLastCounterValue"), 7);
  setStoredValue(QStringLiteral("VantrelSuffixes"),
                 QVariantList{QVariantMap{{QStringLiteral("label"), QStringLiteral("FR")},
                                          {QStringLiteral("suffix"), QStringLiteral("_FR")},
                                          {QStringLiteral("on"), true}}});
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("Bob")});
  app.camera().selectDestination(2);
  child<QPushButton>("filterButton")->click();
  QTest::keyClicks(searchField(), QStringLiteral("b"));
  dialogs_.answers = {1, 0};  // Cancel, then Reset
  app.resetWorkflow();
  EXPECT_EQ(app.list().names().rowCount(), 2);
  app.resetWorkflow();
  EXPECT_TRUE(app.list().names().isEmpty());
  EXPECT_FALSE(QFile::exists(env().gridStorePath));
  EXPECT_TRUE(app.filing().targetDir().isEmpty());
  EXPECT_TRUE(searchField()->text().isEmpty());
  EXPECT_EQ(child<QPushButton>("filterButton")->text(), "Show: All");
  EXPECT_FALSE(app.tags().suffixes().tags().at(0).on);
  EXPECT_EQ(app.camera().state().saveModeIndex, 0);
  EXPECT_EQ(app.filing().counterText(), "1");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Reset complete.");
  for (const char* key : {"VantrelLastCSVPath", "VantrelLastTargetDir",
                          "VantrelLastSelectedRowIndex", "VantrelLastCounterValue"}) {
    EXPECT_FALSE(storedValue(QString::fromLatin1(key)).isValid()) << key;
  }
}

TEST_F(NamesEditingTest, DuplicateNamesAreRedExceptOnTheSelectedRow) {
  writeStoreRows({{"Ann", "", "2", ""}, {"ann", "", "0", ""}, {"Bob", "", "3", ""}});
  launch();
  table()->clearSelection();
  auto cell = [&](int row, int role) {
    return table()->model()->index(row, NamesTableModel::NameColumn).data(role);
  };
  EXPECT_EQ(cell(0, Qt::ForegroundRole).value<QColor>(), palette::red()) << "even with photos";
  EXPECT_EQ(cell(1, Qt::ForegroundRole).value<QColor>(), palette::red());
  EXPECT_EQ(cell(2, Qt::ForegroundRole).value<QColor>(), palette::green());
  EXPECT_TRUE(cell(2, Qt::FontRole).value<QFont>().bold());
  app().list().moveGridSelectionBy(1);  // no selection: down selects the first row
  EXPECT_EQ(cell(0, Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
  EXPECT_EQ(cell(1, Qt::ForegroundRole).value<QColor>(), palette::red());
}

TEST_F(NamesEditingTest, ScreenshotOfAFilteredSortedListWithMarkersAndNotes) {
  writeStoreRows({{"Zoe Park", "retake", "2", "1"},
                  {"Ann Lee", "", "0", ""},
                  {"Bob Stone", "glasses", "1", ""},
                  {"ann lee", "", "0", "1"},
                  {"Cy Young", "", "0", ""},
                  {"Dana Reyes", "left early", "0", "1"},
                  {"Eli Moss", "", "3", ""}});
  auto& app = launch();
  QTest::keyClicks(searchField(), QStringLiteral("e"));
  app.list().nameHeaderClicked(NamesTableModel::NameColumn);
  ASSERT_EQ(shownNames(),
            QStringList({"Ann Lee", "ann lee", "Bob Stone", "Dana Reyes", "Eli Moss", "Zoe Park"}));
  app.list().moveGridSelectionBy(-1);  // from Zoe Park, last from A to Z
  app.list().moveGridSelectionBy(-1);
  QTest::qWait(200);
  const QString folder = qEnvironmentVariable("VANTREL_SCREENSHOT_DIR");
  if (folder.isEmpty()) GTEST_SKIP() << "set VANTREL_SCREENSHOT_DIR to keep a screenshot";
  QDir().mkpath(folder);
  EXPECT_TRUE(app.window()->grab().save(folder + "/filtered_sorted_list.png"));
}

}  // namespace
