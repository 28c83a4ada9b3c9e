// How the window behaves around its controllers: a long status in a narrow window, the gear and
// its popover, the desktop's theme, a resized preview, and the status after choosing a folder.
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "elided_label.h"
#include "main_window.h"
#include "qt_dialogs.h"
#include "shell_fixture.h"
#include "vantrel_table_view.h"
#include "view_styling.h"

namespace {

class WindowBehaviourTest : public ShellTest {
 protected:
  VantrelAppDelegate& launchQuiet() {
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
    return launch();
  }
  MainWindow& window() { return *static_cast<MainWindow*>(app().window()); }
  // The window laid out at `size` and drawn.
  void showAt(const QSize& size) {
    window().resize(size);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    QTest::qWait(50);
  }
};

TEST_F(WindowBehaviourTest, ALongStatusIsCutAtItsEndAndTheCardsBesideItStayInView) {
  launchQuiet();
  showAt(window().minimumSize());
  const QString busy = QStringLiteral(
      "Camera busy (EdsOpenSession 0x000000C0). Close EOS Utility, Photos, or Image Capture if "
      "open — or unplug and replug the camera. Retrying in a moment…");
  app().status().setStatus(busy, QStringLiteral("error"));
  QTest::qWait(50);
  ElidedLabel* label = window().statusViews.status;
  EXPECT_EQ(label->toolTip(), busy);
  EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().toStdString();
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
  // The cards and buttons to the right keep their places inside the top panel.
  QWidget* panel = window().statusViews.storageCard->parentWidget();
  for (QWidget* right : {static_cast<QWidget*>(window().statusViews.storageCard),
                         static_cast<QWidget*>(window().settings.gearButton)}) {
    EXPECT_LE(right->geometry().right(), panel->contentsRect().right());
    EXPECT_GE(right->width(), right->minimumSizeHint().width());
  }
  // A short one is shown whole.
  app().status().setStatus(QStringLiteral("Saved"), QStringLiteral("good"));
  QTest::qWait(50);
  EXPECT_EQ(label->text(), "● Saved");
}

TEST_F(WindowBehaviourTest, ClickingTheGearWhileThePopoverIsOpenClosesIt) {
  launchQuiet();
  showAt(QSize(1260, 840));
  QWidget* popover = window().settings.popover;
  QPushButton* gear = window().settings.gearButton;
  QTest::mouseClick(gear, Qt::LeftButton);
  ASSERT_TRUE(waitFor([&] { return popover->isVisible(); }, 2000));

  // While a popup is open every press goes to it, wherever it lands; one outside closes it, and
  // where the window system grabs the mouse Qt then hands the press on to the widget under it,
  // unless told not to. The gear, handed the press, would open the popover again.
  const auto pressAt = [&](const QPoint& global) {
    QMouseEvent press(QEvent::MouseButtonPress, popover->mapFromGlobal(global), global,
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(popover, &press);
  };
  pressAt(gear->mapToGlobal(gear->rect().center()));
  EXPECT_FALSE(popover->isVisible());
  EXPECT_TRUE(popover->testAttribute(Qt::WA_NoMouseReplay));

  // Anywhere else the press goes on to what it landed on.
  QTest::mouseClick(gear, Qt::LeftButton);
  ASSERT_TRUE(waitFor([&] { return popover->isVisible(); }, 2000));
  QWidget* table = window().table;
  pressAt(table->mapToGlobal(table->rect().center()));
  EXPECT_FALSE(popover->isVisible());
  EXPECT_FALSE(popover->testAttribute(Qt::WA_NoMouseReplay));
}

TEST_F(WindowBehaviourTest, AChangeOfTheDesktopThemePutsTheLightLookBack) {
  launchQuiet();
  QPalette dark(QColor(40, 40, 40), QColor(30, 30, 30));
  dark.setColor(QPalette::Text, Qt::white);
  QApplication::setPalette(dark);
  QEvent themeChange(QEvent::ThemeChange);
  QCoreApplication::sendEvent(&window(), &themeChange);
  ASSERT_TRUE(waitFor(
      [] { return QApplication::palette().color(QPalette::Window).lightness() > 200; }, 2000));
  const QPalette shown = QApplication::palette();
  EXPECT_LT(shown.color(QPalette::Text).lightness(), 100);
  // Also the roles the light look does not name itself.
  EXPECT_GT(shown.color(QPalette::Light).lightness(), 200);
  EXPECT_GT(shown.color(QPalette::Midlight).lightness(), 180);
}

TEST_F(WindowBehaviourTest, ThePreviewIsDrawnAgainForItsNewSize) {
  launchQuiet();
  showAt(window().minimumSize());
  QDir().mkpath(photos());
  // Upright, so that the preview's height decides its size.
  QImage tall(1000, 3000, QImage::Format_RGB32);
  tall.fill(Qt::darkCyan);
  const QString file = photos() + QStringLiteral("/tall.jpg");
  ASSERT_TRUE(tall.save(file));
  app().preview().showPreviewPath(file.toStdString(), true);
  QLabel* image = window().previewViews.image;
  ASSERT_TRUE(waitFor([&] { return !image->pixmap().isNull(); }, 5000));
  const int before = image->pixmap().height();
  showAt(QSize(1600, 1000));
  ASSERT_GT(image->height(), before + 100);
  EXPECT_TRUE(waitFor([&] { return image->pixmap().height() > before + 100; }, 5000))
      << "still " << image->pixmap().height() << " high in a preview " << image->height()
      << " high";
  EXPECT_LE(image->pixmap().height(), image->height());
}

TEST_F(WindowBehaviourTest, ChoosingAFolderSaysSoBeforeTheSummaryReturns) {
  writeGridStore({QStringLiteral("Ann")});
  auto& app = launchQuiet();
  ASSERT_TRUE(app.filing().setTargetFolder(photos()));
  QTest::qWait(100);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Target folder selected.");
  EXPECT_EQ(app.status().lastStatusKind(), "good");
  EXPECT_TRUE(waitFor([&] { return app.status().lastFriendlyStatus() == "Waiting"; }, 5000));
}

TEST_F(WindowBehaviourTest, RenamingAPhotoFolderRefreshesThePathLabels) {
  writeGridStore({QStringLiteral("Ann")});
  auto& app = launchQuiet();
  ASSERT_TRUE(app.filing().setTargetFolder(photos()));
  QDir().mkpath(photos() + QStringLiteral("/Ann"));
  QLabel* folderLabel = window().filingViews.folderPathLabel;
  folderLabel->setText(QStringLiteral("stale"));
  app.repair().applyFolderRenameFrom(photos() + QStringLiteral("/Ann"), QStringLiteral("Anne"));
  ASSERT_TRUE(QFileInfo::exists(photos() + QStringLiteral("/Anne")));
  EXPECT_EQ(folderLabel->text(), abbreviatedHomePath(photos()));
}

TEST_F(WindowBehaviourTest, TheApplicationIconIsReadyForTheAlerts) {
  auto& app = launchQuiet();
  ASSERT_FALSE(app.environment().resourceFolder.isEmpty());
  EXPECT_FALSE(app.applicationIcon().isNull());
  EXPECT_EQ(QApplication::windowIcon().cacheKey(), app.applicationIcon().cacheKey());
}

// Answers the next alert the real dialogs open, noting the icon it shows.
struct AlertIcon {
  QMessageBox::Icon standard = QMessageBox::NoIcon;
  bool ownPixmap = false;
};

AlertIcon iconOfNextAlert(QtDialogs& dialogs) {
  AlertIcon seen;
  QTimer answer;
  answer.setInterval(20);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (!box || !box->isVisible()) continue;
      seen.standard = box->icon();
      seen.ownPixmap = !box->iconPixmap().isNull() && box->icon() == QMessageBox::NoIcon;
      box->done(0);
    }
  });
  answer.start();
  dialogs.alert(QStringLiteral("Laptop Storage Critical"), QStringLiteral("test"));
  return seen;
}

TEST(QtDialogsIcon, AlertsShowTheApplicationIconElseTheStandardOne) {
  QtDialogs dialogs;
  const AlertIcon none = iconOfNextAlert(dialogs);
  EXPECT_EQ(none.standard, QMessageBox::Information);
  QPixmap mark(64, 64);
  mark.fill(Qt::blue);
  dialogs.setIcon(QIcon(mark));
  const AlertIcon own = iconOfNextAlert(dialogs);
  EXPECT_TRUE(own.ownPixmap);
}

}  // namespace
