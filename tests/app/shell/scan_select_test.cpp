// Scan to select in the window: a scanned ID selects its person and clears the search; a code
// nobody has changes nothing.
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "main_window.h"
#include "shell_fixture.h"

namespace {

class ScanSelectTest : public ShellTest {
 protected:
  VantrelAppDelegate& launchWithIds() {
    QDir().mkpath(env().dataFolder);
    QFile store(env().gridStorePath);
    EXPECT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(
        "File Name,Notes,Captured,Marker,Student ID\nAnn Lee,,0,,S1001\nBob Roe,,0,,S1002\n"
        "Cy Twin,,0,,S1003\n");
    store.close();
    setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
    setStoredValue(QStringLiteral("VantrelLastSelectedRowIndex"), 0);
    return launch();
  }
  QLineEdit* searchField() {
    return qobject_cast<MainWindow*>(app().window())->namesViews.searchField;
  }
  QTableView* table() { return qobject_cast<MainWindow*>(app().window())->namesViews.table; }
};

TEST_F(ScanSelectTest, AScannedIdTypedIntoTheTableSelectsItsPersonAndClearsTheSearch) {
  auto& app = launchWithIds();
  ASSERT_EQ(app.list().names().fieldNames(), std::vector<std::string>{"Student ID"});
  // The scanner types while the table has the focus, then Enter.
  table()->setFocus();
  QTest::keyClicks(table(), QStringLiteral("s1003"));
  EXPECT_EQ(searchField()->text(), "s1003");
  QTest::keyClick(searchField(), Qt::Key_Return);
  EXPECT_EQ(app.list().names().selectedRow(), 2);
  EXPECT_EQ(app.list().captureRow(), 2);
  EXPECT_TRUE(searchField()->text().isEmpty());
  EXPECT_EQ(app.list().names().display().displayRowCount(), 3) << "the whole list is back";
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Selected Cy Twin.");
}

TEST_F(ScanSelectTest, AnUnknownCodeChangesNothingAndKeepsTheCode) {
  auto& app = launchWithIds();
  searchField()->setFocus();
  QTest::keyClicks(searchField(), QStringLiteral("X999"));
  QTest::keyClick(searchField(), Qt::Key_Return);
  EXPECT_EQ(app.list().captureRow(), 0);
  EXPECT_EQ(searchField()->text(), "X999");
  EXPECT_EQ(app.status().lastFriendlyStatus(), "No one in the list has \u201cX999\u201d.");
  EXPECT_FALSE(app.scanSelect().selectScanned(QStringLiteral("S100")));
}

}  // namespace
