// The main window: the top panel of cards, the names table, the preview, the settings popover
// and the menu bar. It builds the widgets and hands them to the controllers that drive them; it
// holds no rules.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QPair>

#include "backup_controller.h"
#include "camera_controller.h"
#include "camera_driver_controller.h"
#include "filing_controller.h"
#include "name_row_actions.h"
#include "names_controller.h"
#include "photo_limit_controller.h"
#include "preview_controller.h"
#include "status_controller.h"
#include "unfiled_downloads_controller.h"

class NamesTableModel;
class QHBoxLayout;
class VantrelDropZone;
class VantrelTableView;

// The menu items and buttons whose actions the composition root connects.
struct WindowActions {
  QAction* checkForUpdates = nullptr;
  QAction* quit = nullptr;
  QList<QPair<QAction*, NameRowActions::EditCommand>> edit;
  QMenu* listMenu = nullptr;
  QAction* importList = nullptr;
  QAction* shotLedger = nullptr;
  QAction* exportLedger = nullptr;
  QAction* exportList = nullptr;
  QAction* renamePhotoFolder = nullptr;
  QAction* moveLastPhotos = nullptr;
  QAction* exportYearbook = nullptr;
  QAction* connectNow = nullptr;
  QAction* forceReconnect = nullptr;
  QAction* disconnect = nullptr;
  QMenu* backupMenu = nullptr;
  // The row menu.
  QAction* insertAbove = nullptr;
  QAction* insertBelow = nullptr;
  QAction* editNote = nullptr;
  QAction* toggleMarker = nullptr;
  QAction* deleteRow = nullptr;
};

// The settings popover's own controls.
struct SettingsViews {
  QWidget* popover = nullptr;
  QPushButton* gearButton = nullptr;
  QHBoxLayout* tagRow = nullptr;
  QPushButton* tagManageButton = nullptr;
  QPushButton* resetButton = nullptr;
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(const QString& displayVersion, NamesTableModel* namesModel);

  StatusViews statusViews;
  CameraViews cameraViews;
  CameraDriverViews cameraDriverViews;
  NamesViews namesViews;
  RowEditViews rowViews;
  FilingViews filingViews;
  BackupViews backupViews;
  PreviewViews previewViews;
  UnfiledDownloadsViews unfiledViews;
  PhotoLimitViews photoLimitViews;
  SettingsViews settings;
  WindowActions actions;
  VantrelTableView* table = nullptr;
  VantrelDropZone* emptyDropZone = nullptr;

  // Opens the settings popover under the gear, or closes it when open.
  void toggleSettingsPopover();

 signals:
  void closeRequested();
  // The popover is about to show: its paths should be current.
  void settingsPopoverOpening();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A press on the gear while the popover is open closes it for good: the press is not passed
  // on to the gear, which would open it again.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildTopPanel(QWidget* parent);
  QWidget* buildLeftPane();
  void buildRowMenu();
  QWidget* buildRightPane();
  QWidget* buildSettingsPopover();
  void installMainMenu(const QString& appTitle);
};
