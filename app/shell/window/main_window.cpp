#include "main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "elided_label.h"
#include "names_table_model.h"
#include "palette.h"
#include "unfiled_downloads.h"
#include "utf8_text.h"
#include "vantrel_button.h"
#include "vantrel_drop_zone.h"
#include "vantrel_table_view.h"
#include "view_styling.h"

namespace {

QLabel* makeLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QPushButton* makeButton(const QString& title, QWidget* parent) {
  return new VantrelButton(title, parent);
}

// A card: a small grey title over a value.
QFrame* makeCard(const QString& title, QWidget* value, QWidget* parent, const QString& name) {
  auto* card = new QFrame(parent);
  card->setObjectName(name);
  auto* layout = new QVBoxLayout(card);
  layout->setContentsMargins(12, 6, 12, 6);
  layout->setSpacing(2);
  auto* titleLabel = new QLabel(title, card);
  titleLabel->setStyleSheet(QStringLiteral("color: %1; font-size: 11px; background: transparent;")
                                .arg(cssColor(palette::secondaryLabel())));
  layout->addWidget(titleLabel);
  layout->addWidget(value);
  styleCardView(card, palette::cardBackground());
  return card;
}

}  // namespace

MainWindow::MainWindow(const QString& displayVersion, NamesTableModel* namesModel) {
  const QString title = QStringLiteral("Vantrel Photo Tether %1").arg(displayVersion);
  setWindowTitle(title);
  resize(1260, 840);
  setMinimumSize(760, 650);
  setStyleSheet(
      QStringLiteral("QMainWindow { background: %1; }").arg(cssColor(palette::appBackground())));

  auto* central = new QWidget(this);
  auto* root = new QVBoxLayout(central);
  root->setContentsMargins(12, 12, 12, 12);
  root->setSpacing(10);
  root->addWidget(buildTopPanel(central));

  // Names on the left, preview on the right.
  auto* split = new QSplitter(Qt::Horizontal, central);
  split->setChildrenCollapsible(false);
  split->setHandleWidth(6);
  split->addWidget(buildLeftPane());
  split->addWidget(buildRightPane());
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  root->addWidget(split, 1);
  setCentralWidget(central);
  table->setModel(namesModel);
  QHeaderView* header = table->horizontalHeader();
  header->setSectionResizeMode(NamesTableModel::MarkerColumn, QHeaderView::Interactive);
  header->setSectionResizeMode(NamesTableModel::NameColumn, QHeaderView::Stretch);
  header->setSectionResizeMode(NamesTableModel::CountColumn, QHeaderView::Interactive);
  header->setMinimumSectionSize(30);
  table->setColumnWidth(NamesTableModel::MarkerColumn, 44);
  table->setColumnWidth(NamesTableModel::NameColumn, 420);
  table->setColumnWidth(NamesTableModel::CountColumn, 58);
  table->setColumnWidthLimits(NamesTableModel::MarkerColumn, 30, 52);
  table->setColumnWidthLimits(NamesTableModel::CountColumn, 48, 80);

  settings.popover = buildSettingsPopover();
  installMainMenu(title);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closeRequested();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == settings.popover && event->type() == QEvent::MouseButtonPress) {
    const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    QPushButton* gear = settings.gearButton;
    if (gear && gear->rect().contains(gear->mapFromGlobal(at)))
      settings.popover->setAttribute(Qt::WA_NoMouseReplay);
  }
  return QMainWindow::eventFilter(watched, event);
}

QWidget* MainWindow::buildTopPanel(QWidget* parent) {
  auto* top = new QFrame(parent);
  top->setObjectName(QStringLiteral("topPanel"));
  styleCardView(top, palette::softPanel());
  auto* topLayout = new QHBoxLayout(top);
  topLayout->setContentsMargins(10, 8, 10, 8);
  statusViews.cameraPill = new QLabel(QStringLiteral("● —"), top);
  statusViews.cameraPill->setToolTip(QStringLiteral("Live camera connection status"));
  // Cut at its end rather than widening its card: the cards to its right stay in view.
  statusViews.status = new ElidedLabel(QStringLiteral("● Ready"), top);
  auto* counter = new QLineEdit(QStringLiteral("1"), top);
  counter->setObjectName(QStringLiteral("counterField"));
  counter->setToolTip(QStringLiteral("Next photo number"));
  counter->setMaximumWidth(110);
  filingViews.counterField = counter;
  backupViews.cardValue = new QLabel(QStringLiteral("—"), top);
  statusViews.storageValue = new QLabel(QStringLiteral("Checking..."), top);
  cameraViews.forceReconnectButton = makeButton(QStringLiteral("⟳"), top);
  cameraViews.forceReconnectButton->setToolTip(
      QStringLiteral("Reconnect the camera. Use if the camera stalls or stops responding."));
  settings.gearButton = makeButton(QStringLiteral("⚙"), top);
  settings.gearButton->setToolTip(
      QStringLiteral("Settings — save & backup folders, destination, tags, reset"));
  connect(settings.gearButton, &QPushButton::clicked, this, [this] { toggleSettingsPopover(); });

  topLayout->addWidget(
      makeCard(QStringLiteral("CAMERA"), statusViews.cameraPill, top, QStringLiteral("cameraCard")),
      1);
  topLayout->addWidget(
      makeCard(QStringLiteral("STATUS"), statusViews.status, top, QStringLiteral("readinessCard")),
      3);
  topLayout->addStretch();
  statusViews.storageCard = makeCard(QStringLiteral("Available Storage"), statusViews.storageValue,
                                     top, QStringLiteral("storageCard"));
  topLayout->addWidget(statusViews.storageCard);
  topLayout->addWidget(
      makeCard(QStringLiteral("Backup"), backupViews.cardValue, top, QStringLiteral("backupCard")));
  topLayout->addWidget(
      makeCard(QStringLiteral("NEXT #"), counter, top, QStringLiteral("counterCard")));
  topLayout->addWidget(cameraViews.forceReconnectButton);
  topLayout->addWidget(settings.gearButton);
  return top;
}

QWidget* MainWindow::buildLeftPane() {
  auto* pane = new QFrame;
  pane->setObjectName(QStringLiteral("leftPane"));
  pane->setMinimumWidth(330);
  styleCardView(pane, palette::cardBackground());
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(10, 10, 10, 10);

  NamesViews& n = namesViews;
  auto* searchRow = new QHBoxLayout;
  n.searchField = new QLineEdit(pane);
  n.searchField->setPlaceholderText(QStringLiteral("Search by name..."));
  styleTextFieldBox(n.searchField);
  n.addSearchButton = makeButton(QStringLiteral("+"), pane);
  n.addSearchButton->setToolTip(QStringLiteral("Add the search text as a new name"));
  n.clearSearchButton = makeButton(QStringLiteral("×"), pane);
  n.clearSearchButton->setToolTip(QStringLiteral("Clear the search box"));
  n.filterButton = makeButton(QStringLiteral("Show: All"), pane);
  n.filterButton->setToolTip(
      QStringLiteral("Click to cycle: All names → only names With Photos → "
                     "only Remaining (not shot yet)"));
  n.exportButton = makeButton(QStringLiteral("Export"), pane);
  n.exportButton->setToolTip(
      QStringLiteral("Export the whole list (names and notes) to a CSV file"));
  searchRow->addWidget(n.searchField, 1);
  for (QPushButton* b : {n.addSearchButton, n.clearSearchButton, n.filterButton, n.exportButton}) {
    searchRow->addWidget(b);
  }
  layout->addLayout(searchRow);
  n.searchField->setObjectName(QStringLiteral("searchField"));
  n.addSearchButton->setObjectName(QStringLiteral("addSearchButton"));
  n.clearSearchButton->setObjectName(QStringLiteral("clearSearchButton"));
  n.filterButton->setObjectName(QStringLiteral("filterButton"));
  n.exportButton->setObjectName(QStringLiteral("exportButton"));

  auto* noteRow = new QHBoxLayout;
  auto* pencil = new QLabel(QStringLiteral("📝"), pane);
  rowViews.noteField = new QLineEdit(pane);
  rowViews.noteField->setPlaceholderText(
      QStringLiteral("Note for the selected name — type here, saves automatically"));
  styleTextFieldBox(rowViews.noteField);
  rowViews.noteField->setObjectName(QStringLiteral("noteField"));
  rowViews.noteIndicator = new QPushButton(QStringLiteral("📝"), pane);
  rowViews.noteIndicator->setObjectName(QStringLiteral("noteIndicator"));
  rowViews.noteIndicator->setFlat(true);
  rowViews.noteIndicator->setCursor(Qt::PointingHandCursor);
  rowViews.noteIndicator->setStyleSheet(
      QStringLiteral("QPushButton { border: none; background: none; }"));
  rowViews.noteIndicator->setVisible(false);
  noteRow->addWidget(pencil);
  noteRow->addWidget(rowViews.noteField, 1);
  noteRow->addWidget(rowViews.noteIndicator);
  layout->addLayout(noteRow);

  n.tableStack = new QStackedWidget(pane);
  table = new VantrelTableView(n.tableStack);
  table->setObjectName(QStringLiteral("namesTable"));
  table->_vantrelSelectionColor = palette::brand();
  n.table = table;
  buildRowMenu();

  emptyDropZone = new VantrelDropZone(n.tableStack);
  emptyDropZone->setObjectName(QStringLiteral("emptyDropZone"));
  emptyDropZone->_borderColor = palette::softBorder();
  n.tableStack->addWidget(table);
  n.tableStack->addWidget(emptyDropZone);
  layout->addWidget(n.tableStack, 1);
  return pane;
}

void MainWindow::buildRowMenu() {
  auto* menu = new QMenu(QStringLiteral("Row"), table);
  menu->setObjectName(QStringLiteral("rowMenu"));
  rowViews.rowMenu = menu;
  actions.insertAbove = menu->addAction(QStringLiteral("Insert Row Above"));
  actions.insertBelow = menu->addAction(QStringLiteral("Insert Row Below"));
  menu->addSeparator();
  rowViews.renameFolderItem = menu->addAction(QStringLiteral("Rename Folder & Images…"));
  actions.editNote = menu->addAction(QStringLiteral("Edit Note…"));
  rowViews.openFolderItem = menu->addAction(QStringLiteral("Open Folder in File Manager"));
  menu->addSeparator();
  actions.toggleMarker = menu->addAction(QStringLiteral("Mark Segment Start 🚩"));
  menu->addSeparator();
  actions.deleteRow = menu->addAction(QStringLiteral("Delete Row"));
}

QWidget* MainWindow::buildRightPane() {
  auto* pane = new QFrame;
  pane->setObjectName(QStringLiteral("rightPane"));
  pane->setMinimumWidth(360);
  styleCardView(pane, palette::cardBackground());
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(10, 10, 10, 10);
  PreviewViews& p = previewViews;
  p.image = new QLabel(pane);
  p.image->setAlignment(Qt::AlignCenter);
  p.image->setMinimumSize(200, 150);
  p.image->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  p.image->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid %1; "
                                        "border-radius: 8px; }")
                             .arg(cssColor(palette::previewBorder())));
  layout->addWidget(p.image, 1);
  auto* row = new QHBoxLayout;
  p.downloadedPill = new QLabel(QStringLiteral("  Downloaded  "), pane);
  p.downloadedPill->setStyleSheet(
      QStringLiteral("QLabel { background: %1; color: white; font-weight: bold; font-size: 11px; "
                     "border-radius: 11px; padding: 3px; }")
          .arg(cssColor(palette::green())));
  p.downloadedPill->setVisible(false);
  p.fileName = makeLabel(QStringLiteral("No preview yet"), pane);
  p.previousButton = makeButton(QStringLiteral("◀"), pane);
  p.nextButton = makeButton(QStringLiteral("▶"), pane);
  p.revealButton = makeButton(QStringLiteral("📂"), pane);
  p.revealButton->setToolTip(QStringLiteral("Open this photo's folder in File Manager"));
  // The file name gets a line of its own: the pane may be as narrow as 360 points.
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(p.downloadedPill);
  nameRow->addWidget(p.fileName, 1);
  layout->addLayout(nameRow);
  row->addStretch();
  row->addWidget(p.previousButton);
  row->addWidget(p.nextButton);
  row->addWidget(p.revealButton);
  layout->addLayout(row);
  return pane;
}

QWidget* MainWindow::buildSettingsPopover() {
  auto* popover = new QFrame(this, Qt::Popup);
  popover->setObjectName(QStringLiteral("settingsPopover"));
  popover->installEventFilter(this);
  popover->setFixedSize(360, 470);
  styleCardView(popover, palette::cardBackground());
  auto* layout = new QVBoxLayout(popover);
  auto section = [&](const QString& title) {
    auto* label = new QLabel(title, popover);
    label->setStyleSheet(QStringLiteral("color: %1; font-size: 11px; font-weight: bold;")
                             .arg(cssColor(palette::secondaryLabel())));
    layout->addWidget(label);
  };
  section(QStringLiteral("SETTINGS"));
  section(QStringLiteral("TARGET FOLDER"));
  auto* folderRow = new QHBoxLayout;
  filingViews.folderButton = makeButton(QStringLiteral("Change…"), popover);
  filingViews.folderButton->setToolTip(
      QStringLiteral("Choose the folder where captured images are saved"));
  filingViews.folderPathLabel = makeLabel(QStringLiteral("No folder chosen"), popover);
  folderRow->addWidget(filingViews.folderButton);
  folderRow->addWidget(filingViews.folderPathLabel, 1);
  layout->addLayout(folderRow);
  section(QStringLiteral("BACKUP FOLDER"));
  auto* backupRow = new QHBoxLayout;
  backupViews.button = makeButton(QStringLiteral("Backup: Off"), popover);
  backupViews.button->setObjectName(QStringLiteral("backupButton"));
  backupViews.button->setToolTip(
      QStringLiteral("Optional: also copy every saved photo to a second "
                     "folder or a mounted network drive"));
  backupViews.pathLabel = makeLabel(QStringLiteral("No backup folder"), popover);
  backupRow->addWidget(backupViews.button);
  backupRow->addWidget(backupViews.pathLabel, 1);
  layout->addLayout(backupRow);
  section(QStringLiteral("CAMERA DRIVER"));
  cameraDriverViews.driverChoice = new QComboBox(popover);
  cameraDriverViews.driverChoice->setObjectName(QStringLiteral("cameraDriverChoice"));
  layout->addWidget(cameraDriverViews.driverChoice);
  cameraDriverViews.networkAddress = new QLineEdit(popover);
  cameraDriverViews.networkAddress->setObjectName(QStringLiteral("networkCameraAddress"));
  layout->addWidget(cameraDriverViews.networkAddress);
  section(QStringLiteral("DESTINATION"));
  auto* destRow = new QHBoxLayout;
  const QStringList titles = {QStringLiteral("Both"), QStringLiteral("Disk"),
                              QStringLiteral("Card")};
  const QStringList tips = {QStringLiteral("Save to the camera card AND the computer"),
                            QStringLiteral("Save to the computer only"),
                            QStringLiteral("Save to the camera card only")};
  for (int tag = 0; tag < 3; ++tag) {
    auto* button = makeButton(titles[tag], popover);
    button->setToolTip(tips[tag]);
    cameraViews.destinationButtons << button;
    destRow->addWidget(button);
  }
  layout->addLayout(destRow);
  section(QStringLiteral("TAGS"));
  settings.tagRow = new QHBoxLayout;
  settings.tagManageButton = makeButton(QStringLiteral("Edit…"), popover);
  settings.tagManageButton->setToolTip(
      QStringLiteral("Add, rename, or remove tag buttons (up to 5)"));
  settings.tagRow->addStretch();
  settings.tagRow->addWidget(settings.tagManageButton);
  layout->addLayout(settings.tagRow);
  section(QStringLiteral("PHOTOS PER PERSON"));
  auto* limitRow = new QHBoxLayout;
  photoLimitViews.photosPerPerson = new QSpinBox(popover);
  photoLimitViews.photosPerPerson->setObjectName(QStringLiteral("photosPerPerson"));
  photoLimitViews.photosPerPerson->setSpecialValueText(QStringLiteral("No limit"));
  photoLimitViews.photosPerPerson->setToolTip(
      QStringLiteral("Warn once the selected person has this many photos (0 = no limit)"));
  limitRow->addWidget(photoLimitViews.photosPerPerson);
  limitRow->addStretch();
  layout->addLayout(limitRow);
  photoLimitViews.selectNextRemaining = new QCheckBox(
      QStringLiteral("Select the next remaining person after the last photo"), popover);
  photoLimitViews.selectNextRemaining->setObjectName(QStringLiteral("selectNextRemaining"));
  layout->addWidget(photoLimitViews.selectNextRemaining);
  layout->addStretch();
  settings.resetButton = makeButton(QStringLiteral("↻ Reset workflow"), popover);
  layout->addWidget(settings.resetButton);
  return popover;
}

void MainWindow::toggleSettingsPopover() {
  QWidget* popover = settings.popover;
  if (!popover) return;
  if (popover->isVisible()) {
    popover->hide();
    return;
  }
  emit settingsPopoverOpening();
  QPushButton* gear = settings.gearButton;
  const QPoint below = gear->mapToGlobal(QPoint(gear->width(), gear->height()));
  popover->move(below - QPoint(popover->width(), -4));
  popover->show();
}

void MainWindow::installMainMenu(const QString& appTitle) {
  QMenuBar* bar = menuBar();
  QMenu* app = bar->addMenu(appTitle);
  app->addAction(appTitle)->setEnabled(false);
  app->addSeparator();
  actions.checkForUpdates = app->addAction(QStringLiteral("Check for Updates…"));
  app->addSeparator();
  actions.quit = app->addAction(QStringLiteral("Quit Vantrel Photo Tether"));
  actions.quit->setShortcut(QKeySequence::Quit);

  // Edit items go to the focused text field first; elsewhere copy and paste work on the list.
  using EditCommand = NameRowActions::EditCommand;
  QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
  auto addEditItem = [this, edit](const QString& title, const QString& keys, EditCommand command) {
    QAction* action = edit->addAction(title);
    action->setShortcut(QKeySequence(keys));
    actions.edit.append({action, command});
  };
  addEditItem(QStringLiteral("Undo"), QStringLiteral("Ctrl+Z"), EditCommand::Undo);
  addEditItem(QStringLiteral("Redo"), QStringLiteral("Ctrl+Shift+Z"), EditCommand::Redo);
  edit->addSeparator();
  addEditItem(QStringLiteral("Cut"), QStringLiteral("Ctrl+X"), EditCommand::Cut);
  addEditItem(QStringLiteral("Copy"), QStringLiteral("Ctrl+C"), EditCommand::Copy);
  addEditItem(QStringLiteral("Paste"), QStringLiteral("Ctrl+V"), EditCommand::Paste);
  edit->addSeparator();
  addEditItem(QStringLiteral("Select All"), QStringLiteral("Ctrl+A"), EditCommand::SelectAll);

  actions.listMenu = bar->addMenu(QStringLiteral("List"));
  actions.importList = actions.listMenu->addAction(QStringLiteral("Import CSV…"));
  actions.importList->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
  actions.exportList = actions.listMenu->addAction(QStringLiteral("Export List…"));
  actions.exportList->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
  actions.listMenu->addSeparator();
  actions.renamePhotoFolder = actions.listMenu->addAction(QStringLiteral("Rename a Photo Folder…"));
  actions.moveLastPhotos = actions.listMenu->addAction(QStringLiteral("Move Last Photos…"));
  actions.moveLastPhotos->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+M")));
  actions.listMenu->addSeparator();
  actions.exportYearbook = actions.listMenu->addAction(QStringLiteral("Export Yearbook Package…"));

  QMenu* camera = bar->addMenu(QStringLiteral("Camera"));
  actions.connectNow = camera->addAction(QStringLiteral("Connect Now"));
  actions.forceReconnect = camera->addAction(QStringLiteral("Force Reconnect (Restart Session)"));
  actions.disconnect = camera->addAction(QStringLiteral("Disconnect"));
  camera->addSeparator();
  cameraViews.autoConnectItem = camera->addAction(QStringLiteral("Auto-Connect Camera"));
  cameraViews.autoConnectItem->setCheckable(true);
  camera->addSeparator();
  cameraViews.takePhotoItem = camera->addAction(QStringLiteral("Take Photo"));
  cameraViews.takePhotoItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
  cameraViews.takePhotoItem->setEnabled(false);
  camera->addSeparator();
  unfiledViews.fileForSelectedItem = camera->addAction(QString());
  unfiledViews.fileForPersonItem =
      camera->addAction(utf8Text(vantrel::filing::kFileUnfiledForPersonItem));
  unfiledViews.leaveItem = camera->addAction(utf8Text(vantrel::filing::kLeaveUnfiledItem));

  actions.backupMenu = bar->addMenu(QStringLiteral("Backup"));

  QMenu* windowMenu = bar->addMenu(QStringLiteral("Window"));
  actions.shotLedger = windowMenu->addAction(QStringLiteral("Shot Ledger"));
  actions.shotLedger->setShortcut(QKeySequence(QStringLiteral("Ctrl+L")));
  actions.exportLedger = windowMenu->addAction(QStringLiteral("Export Ledger…"));
}
