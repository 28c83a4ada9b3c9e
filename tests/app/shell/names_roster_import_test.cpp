// Rosters as schools and spreadsheets write them, into the window: the import preview (the real
// dialog, driven offscreen through the dialogs), fields shown as columns, duplicate names, the
// exports for spreadsheets, and the list rebuilt from the roster at first start.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

#include "import_preview_dialog.h"
#include "names_messages.h"
#include "names_window_fixture.h"
#include "roster_samples.h"

namespace {

using RosterImportTest = NamesWindowTest;
using vantrel::names::NameJoin;
using vantrel::names::RosterChoice;

QByteArray bytes(const std::string& text) {
  return QByteArray::fromStdString(text);
}

// Picks the entry of one of the preview's boxes by its text, as a click would.
void choose(QDialog& dialog, const char* box, const QString& entry) {
  auto* combo = dialog.findChild<QComboBox*>(QString::fromLatin1(box));
  ASSERT_TRUE(combo) << box;
  const int index = combo->findText(entry);
  ASSERT_GE(index, 0) << entry.toStdString();
  combo->setCurrentIndex(index);
}

QString fieldOf(VantrelAppDelegate& app, qint64 row, const char* field) {
  return QString::fromStdString(std::string(app.list().names().fieldValue(row, field)));
}

TEST_F(RosterImportTest, ThePreviewChoosesTheColumnsAndTheHeaderAndRemembersThem) {
  auto& app = launchWith({});
  const QString file =
      writeFile(QStringLiteral("class.csv"), "5b;Lee;Ann;glasses\r\n5b;Ng;Bo;\r\n");
  dialogs_.files = {file, file};
  // The real dialog, as the operator would set it: no header, first and last name joined, a note.
  dialogs_.previewAnswers.push_back([](const ImportPreviewRequest& request) {
    ImportPreviewDialog dialog(request);
    dialog.findChild<QCheckBox*>(QStringLiteral("previewHeaderBox"))->setChecked(false);
    choose(dialog, "previewNameMode", QStringLiteral("Two columns: First Last"));
    choose(dialog, "previewNameColumn", QStringLiteral("Column 3"));
    choose(dialog, "previewLastNameColumn", QStringLiteral("Column 2"));
    choose(dialog, "previewNoteColumn", QStringLiteral("Column 4"));
    return std::optional<RosterChoice>(dialog.choice());
  });
  app.list().loadCSV();

  ASSERT_EQ(dialogs_.previews.size(), 1);
  EXPECT_EQ(dialogs_.previews[0].summary,
            "Read as UTF-8, separated by semicolons: 2 rows, 4 columns.");
  EXPECT_TRUE(dialogs_.previews[0].initial.firstRowIsHeader) << "the default has a header";
  EXPECT_EQ(listNames(), QStringList({"Ann Lee", "Bo Ng"}));
  EXPECT_EQ(app.list().names().noteForModelRow(0), "glasses");
  EXPECT_EQ(fieldOf(app, 1, "Column 1"), "5b");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Imported 2 names. 3 other columns kept.");
  EXPECT_EQ(store(),
            "File Name,Notes,Captured,Marker,Column 1,Column 2,Column 3\n"
            "Ann Lee,glasses,0,,5b,Lee,Ann\nBo Ng,,0,,5b,Ng,Bo");

  // Search finds a field.
  QTest::keyClicks(searchField(), QStringLiteral("5B"));
  EXPECT_EQ(shownNames(), QStringList({"Ann Lee", "Bo Ng"}));
  QTest::keyClicks(searchField(), QStringLiteral(" x"));
  EXPECT_TRUE(shownNames().isEmpty());

  // Next time the same file opens the preview as it was left.
  dialogs_.answers = {0};  // Replace
  app.list().loadCSV();
  ASSERT_EQ(dialogs_.previews.size(), 2);
  const RosterChoice remembered = dialogs_.previews[1].initial;
  EXPECT_FALSE(remembered.firstRowIsHeader);
  EXPECT_EQ(remembered.join, NameJoin::FirstLast);
  EXPECT_EQ(remembered.nameColumn, 2);
  EXPECT_EQ(remembered.lastNameColumn, 1);
  EXPECT_EQ(remembered.noteColumn, 3);
  EXPECT_EQ(listNames(), QStringList({"Ann Lee", "Bo Ng"}));
}

TEST_F(RosterImportTest, CancellingThePreviewChangesNothing) {
  auto& app = launchWith({QStringLiteral("Kept")});
  dialogs_.files = {writeFile(QStringLiteral("new.csv"), "Name\nAnn\n")};
  dialogs_.previewAnswers.push_back([](const ImportPreviewRequest&) { return std::nullopt; });
  app.list().loadCSV();
  EXPECT_EQ(listNames(), QStringList({"Kept"}));
  EXPECT_EQ(dialogs_.count(QStringLiteral("Imported 0 names")), 0);
  EXPECT_FALSE(storedValue(QStringLiteral("VantrelLastCSVPath")).isValid());

  // Nor on the empty-list zone: the drop is refused.
  app.list().names().reset();
  app.list().reloadTable();
  dialogs_.previewAnswers.push_back([](const ImportPreviewRequest&) { return std::nullopt; });
  std::unique_ptr<QMimeData> data(files({writeFile(QStringLiteral("a.csv"), "N\nAnn")}));
  EXPECT_FALSE(dragAndDrop(dropZone(), data.get(), {50, 50}).dropAccepted);
  EXPECT_TRUE(app.list().names().isEmpty());
}

TEST_F(RosterImportTest, DuplicateNamesAfterADropCanBeKeptOrMadeUnique) {
  auto& app = launchWith({QStringLiteral("Ann Lee")});
  const QString roster =
      writeFile(QStringLiteral("more.csv"), "Name,Class\nann lee,5c\nA/B,5b\nA:B,5c\n");
  dialogs_.answers = {0, 0};  // Add, Keep
  std::unique_ptr<QMimeData> data(files({roster}));
  EXPECT_TRUE(dragAndDrop(table()->viewport(), data.get(), ontoRow(0)).dropAccepted);
  ASSERT_TRUE(waitFor([&] { return app.list().names().rowCount() == 4; }, 3000));
  ASSERT_EQ(dialogs_.count(QStringLiteral("Duplicate Names")), 1);
  const QString message = dialogs_.alerts.last().message;
  EXPECT_TRUE(message.contains("“Ann Lee”, “ann lee”")) << message.toStdString();
  EXPECT_TRUE(message.contains("“A/B”, “A:B” → folder “A-B”")) << message.toStdString();
  EXPECT_EQ(listNames(), QStringList({"Ann Lee", "ann lee", "A/B", "A:B"}));

  app.list().names().reset();
  writeGridStore({QStringLiteral("Ann Lee")});
  app.list().restoreList();
  dialogs_.answers = {0, 1};  // Add, Make Unique
  std::unique_ptr<QMimeData> again(files({roster}));
  dragAndDrop(table()->viewport(), again.get(), ontoRow(0));
  ASSERT_TRUE(waitFor([&] { return dialogs_.count(QStringLiteral("Duplicate Names")) == 2; }));
  EXPECT_EQ(listNames(), QStringList({"Ann Lee", "ann lee 5c", "A/B 5b", "A:B 5c"}))
      << "the name that was there before keeps its photo folder";
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Made 3 names unique.");
  EXPECT_TRUE(store().contains("\nann lee 5c,,0,,5c\n")) << store().toStdString();
}

TEST_F(RosterImportTest, FieldsShowAsReadOnlyColumnsChosenFromTheHeaderMenu) {
  auto& app = launchWith({});
  dialogs_.files = {writeFile(QStringLiteral("c.csv"), "Name,Class,ID\nAnn,5b,1\nBo,5c,2\n")};
  app.list().loadCSV();
  ASSERT_EQ(table()->model()->columnCount(), 3);

  QHeaderView* header = table()->horizontalHeader();
  const QPoint pos(10, header->height() / 2);
  QContextMenuEvent event(QContextMenuEvent::Mouse, pos, header->viewport()->mapToGlobal(pos));
  QApplication::sendEvent(header->viewport(), &event);
  auto* menu = table()->findChild<QMenu*>(QStringLiteral("fieldColumnsMenu"));
  ASSERT_TRUE(menu && menu->isVisible());
  QStringList items;
  QAction* classItem = nullptr;
  for (QAction* action : menu->actions()) {
    items << action->text();
    if (action->text() == "Class") classItem = action;
  }
  EXPECT_EQ(items, QStringList({"Show Columns", "Class", "ID"}));
  menu->hide();
  ASSERT_TRUE(classItem);
  classItem->trigger();

  QAbstractItemModel* model = table()->model();
  ASSERT_EQ(model->columnCount(), 4);
  EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Class");
  EXPECT_EQ(shownNames(), QStringList({"Ann", "Bo"}));
  EXPECT_EQ(model->index(1, 3).data().toString(), "5c");
  EXPECT_FALSE(model->flags(model->index(0, 3)) & Qt::ItemIsEditable);
  EXPECT_EQ(storedValue(QStringLiteral("VantrelShownFields")).toStringList(),
            QStringList({"Class"}));

  // Remembered: the next start shows the column again, the list coming back from its store.
  app.applicationWillTerminate();
  launch();
  ASSERT_EQ(table()->model()->columnCount(), 4);
  EXPECT_EQ(table()->model()->index(0, 3).data().toString(), "5b");
}

TEST_F(RosterImportTest, ExportsForSpreadsheetsWithTheFieldsAndRemembersTheFormat) {
  auto& app = launchWith({});
  dialogs_.files = {writeFile(QStringLiteral("c.csv"), "Name,Class\nZoë,5b\nBo,\n")};
  app.list().loadCSV();
  dialogs_.exportFiles.push_back({path(QStringLiteral("out.csv")), 2});
  app.list().exportGrid();
  EXPECT_EQ(dialogs_.exportProposedName, "vantrel-list.csv");
  EXPECT_EQ(dialogs_.exportFormatsOffered,
            QStringList({"CSV (plain UTF-8)", "CSV for spreadsheets (UTF-8 with BOM)",
                         "CSV for spreadsheets, semicolons (UTF-8 with BOM, European locale)"}));
  EXPECT_EQ(dialogs_.exportInitialFormat, 0);
  EXPECT_EQ(readFile(path(QStringLiteral("out.csv"))),
            "\xEF\xBB\xBF"
            "File Name;Notes;Class\nZoë;;5b\nBo;;");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Exported 2 rows to out.csv.");

  dialogs_.exportFiles.push_back({path(QStringLiteral("plain")), 0});
  app.list().exportGrid();
  EXPECT_EQ(dialogs_.exportInitialFormat, 2) << "the format chosen last is offered first";
  EXPECT_EQ(readFile(path(QStringLiteral("plain.csv"))), "File Name,Notes,Class\nZoë,,5b\nBo,,");
}

// At first start without a store the list is rebuilt from the remembered roster without a
// question: it must give the same names as an import that takes the preview's defaults.
TEST_F(RosterImportTest, TheRestoreAtFirstStartGivesTheNamesOfADefaultImport) {
  const std::pair<const char*, std::string> samples[] = {
      {"windows1252.csv", roster_samples::kWindows1252Semicolons},
      {"unicode.txt", roster_samples::unicodeTextFile()},
      {"mac.csv", roster_samples::kCarriageReturns},
      {"note.csv", roster_samples::kMultiLineNote},
      {"first_last.csv", roster_samples::kFirstLastColumns},
  };
  const QList<QStringList> expected = {
      {"Müller", "Groß; Jr.", "Šurlan"},
      {"Åsa Lind", "李雷"},
      {"Ann Lee", "Bo Ng", "Cy"},
      {"Ann", "Bo"},
      {"1", "2", "3", "4"},
  };
  for (std::size_t i = 0; i < std::size(samples); ++i) {
    SCOPED_TRACE(samples[i].first);
    const QString file = writeFile(QString::fromLatin1(samples[i].first), bytes(samples[i].second));
    if (i > 0) app().applicationWillTerminate();
    QFile::remove(env().gridStorePath);
    setStoredValue(QStringLiteral("VantrelLastCSVPath"), file);
    auto& app = launch();
    const QStringList restored = listNames();
    EXPECT_EQ(restored, expected[static_cast<qsizetype>(i)]);
    EXPECT_TRUE(QFile::exists(env().gridStorePath));

    dialogs_.files = {file};
    dialogs_.answers = {0};  // Replace
    const qsizetype previews = dialogs_.previews.size();
    app.list().loadCSV();
    ASSERT_EQ(dialogs_.previews.size(), previews + 1);
    EXPECT_EQ(listNames(), restored);
  }
}

// The real dialog on its own: what it shows follows the choice.
TEST_F(RosterImportTest, ThePreviewDialogShowsTheRowsAndWhatTheChoiceGives) {
  ImportPreviewRequest request;
  request.title = QStringLiteral("Import “k.csv”");
  request.table = vantrel::names::RosterTable::fromBytes(roster_samples::kWindows1252Semicolons);
  request.initial = request.table.defaultChoice();
  ImportPreviewDialog dialog(request);
  auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("previewTable"));
  auto* result = dialog.findChild<QLabel*>(QStringLiteral("previewResult"));
  auto* header = dialog.findChild<QCheckBox*>(QStringLiteral("previewHeaderBox"));
  auto* lastName = dialog.findChild<QComboBox*>(QStringLiteral("previewLastNameColumn"));
  ASSERT_TRUE(table && result && header && lastName);
  EXPECT_EQ(table->rowCount(), 3);
  EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Vorname");
  EXPECT_EQ(table->item(1, 0)->text(), "Groß; Jr.");
  EXPECT_EQ(result->text(), "3 names: Müller, Groß; Jr., Šurlan\nAlso kept: Vorname, Klasse");
  EXPECT_FALSE(lastName->isVisibleTo(&dialog));

  choose(dialog, "previewNameMode", QStringLiteral("Two columns: Last, First"));
  choose(dialog, "previewNameColumn", QStringLiteral("Vorname"));
  choose(dialog, "previewLastNameColumn", QStringLiteral("Nachname"));
  EXPECT_TRUE(lastName->isVisibleTo(&dialog));
  EXPECT_TRUE(result->text().startsWith("3 names: Müller, Jürgen, Groß; Jr., Élodie"));

  header->setChecked(false);
  EXPECT_EQ(table->rowCount(), 4);
  EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Column 2");
  EXPECT_EQ(lastName->currentText(), "Column 1") << "the chosen columns stay chosen";
  const RosterChoice choice = dialog.choice();
  EXPECT_FALSE(choice.firstRowIsHeader);
  EXPECT_EQ(choice.join, NameJoin::LastFirst);
  EXPECT_EQ(choice.nameColumn, 1);
  EXPECT_EQ(choice.lastNameColumn, 0);
  EXPECT_EQ(choice.noteColumn, vantrel::names::kNoColumn);
}

TEST_F(RosterImportTest, ScreenshotOfTheImportPreview) {
  const QString folder = qEnvironmentVariable("VANTREL_SCREENSHOT_DIR");
  if (folder.isEmpty()) GTEST_SKIP() << "set VANTREL_SCREENSHOT_DIR to keep a screenshot";
  ImportPreviewRequest request;
  request.table = vantrel::names::RosterTable::fromBytes(roster_samples::kWindows1252Semicolons);
  request.title = QStringLiteral("Import “klasse_5b.csv”");
  request.summary = QString::fromStdString(vantrel::names::importPreviewSummary(request.table, 1));
  request.initial = request.table.defaultChoice();
  ImportPreviewDialog dialog(request);
  choose(dialog, "previewNameMode", QStringLiteral("Two columns: First Last"));
  choose(dialog, "previewNameColumn", QStringLiteral("Vorname"));
  choose(dialog, "previewLastNameColumn", QStringLiteral("Nachname"));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QTest::qWait(200);
  QDir().mkpath(folder);
  EXPECT_TRUE(dialog.grab().save(folder + "/import_preview.png"));
}

}  // namespace
