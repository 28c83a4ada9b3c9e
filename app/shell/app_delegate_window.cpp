// The main window: top panel of cards, the names table, the preview, the settings popover and
// the menu bar. Views show state and forward the operator's actions to the controller.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "names_table_model.h"
#include "palette.h"
#include "vantrel_app_delegate.h"
#include "vantrel_button.h"
#include "vantrel_drop_zone.h"
#include "vantrel_table_view.h"
#include "view_styling.h"

namespace {

constexpr int kStorageRefreshMs = 15000;
constexpr int kUpdateCheckDelayMs = 3000;

// Closing the main window quits the application.
class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(VantrelAppDelegate* app) : app_(app) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    emit app_->quitRequested();
  }

 private:
  VantrelAppDelegate* app_;
};

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

void VantrelAppDelegate::buildUI() {
  if (_window) return;
  applyAppearance();
  auto* window = new MainWindow(this);
  _window = window;
  connect(this, &VantrelAppDelegate::quitRequested, qApp, &QApplication::quit,
          Qt::QueuedConnection);
  window->setWindowTitle(QStringLiteral("Vantrel Photo Tether %1").arg(_displayVersion));
  window->resize(1260, 840);
  window->setMinimumSize(760, 650);
  window->setStyleSheet(
      QStringLiteral("QMainWindow { background: %1; }").arg(cssColor(palette::appBackground())));

  auto* central = new QWidget(window);
  auto* root = new QVBoxLayout(central);
  root->setContentsMargins(12, 12, 12, 12);
  root->setSpacing(10);

  // Top panel.
  auto* top = new QFrame(central);
  top->setObjectName(QStringLiteral("topPanel"));
  styleCardView(top, palette::softPanel());
  auto* topLayout = new QHBoxLayout(top);
  topLayout->setContentsMargins(10, 8, 10, 8);
  _cameraStatusLabel = new QLabel(QStringLiteral("● —"), top);
  _cameraStatusLabel->setToolTip(QStringLiteral("Live camera connection status"));
  _statusLabel = new QLabel(QStringLiteral("● Ready"), top);
  _counterField = new QLineEdit(_counterFallbackText, top);
  _counterField->setObjectName(QStringLiteral("counterField"));
  _counterField->setToolTip(QStringLiteral("Next photo number"));
  _counterField->setMaximumWidth(110);
  connect(_counterField, &QLineEdit::textEdited, this,
          [this](const QString& text) { counterTextEdited(text); });
  _backupCardValue = new QLabel(QStringLiteral("—"), top);
  _storageValueLabel = new QLabel(QStringLiteral("Checking..."), top);
  _forceReconnectButton = makeButton(QStringLiteral("⟳"), top);
  _forceReconnectButton->setToolTip(
      QStringLiteral("Reconnect the camera. Use if the camera stalls or stops responding."));
  connect(_forceReconnectButton, &QPushButton::clicked, this, [this] { forceCameraReconnect(); });
  _gearButton = makeButton(QStringLiteral("⚙"), top);
  _gearButton->setToolTip(
      QStringLiteral("Settings — save & backup folders, destination, tags, reset"));
  connect(_gearButton, &QPushButton::clicked, this, [this] { toggleSettingsPopover(); });

  topLayout->addWidget(
      makeCard(QStringLiteral("CAMERA"), _cameraStatusLabel, top, QStringLiteral("cameraCard")), 1);
  topLayout->addWidget(
      makeCard(QStringLiteral("STATUS"), _statusLabel, top, QStringLiteral("readinessCard")), 3);
  topLayout->addStretch();
  _storageCard = makeCard(QStringLiteral("Available Storage"), _storageValueLabel, top,
                          QStringLiteral("storageCard"));
  topLayout->addWidget(_storageCard);
  topLayout->addWidget(
      makeCard(QStringLiteral("Backup"), _backupCardValue, top, QStringLiteral("backupCard")));
  topLayout->addWidget(
      makeCard(QStringLiteral("NEXT #"), _counterField, top, QStringLiteral("counterCard")));
  topLayout->addWidget(_forceReconnectButton);
  topLayout->addWidget(_gearButton);
  root->addWidget(top);

  // Names on the left, preview on the right.
  auto* split = new QSplitter(Qt::Horizontal, central);
  split->setChildrenCollapsible(false);
  split->setHandleWidth(6);
  split->addWidget(buildLeftPane());
  split->addWidget(buildRightPane());
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  root->addWidget(split, 1);
  window->setCentralWidget(central);

  _settingsPopover = buildSettingsPopover();
  installMainMenu();
  window->show();

  // The tail of start-up.
  restoreSavedPaths();
  updateStorageLabel();
  _storageTimer = new QTimer(this);
  _storageTimer->setInterval(kStorageRefreshMs);
  connect(_storageTimer, &QTimer::timeout, this, [this] { updateStorageLabel(); });
  _storageTimer->start();
  QTimer::singleShot(kUpdateCheckDelayMs, this, [this] { checkForUpdatesInBackgroundIfDue(); });
  startAutoDetectTimer();
  installRepairActions();
}

QWidget* VantrelAppDelegate::buildLeftPane() {
  auto* pane = new QFrame;
  pane->setObjectName(QStringLiteral("leftPane"));
  pane->setMinimumWidth(330);
  styleCardView(pane, palette::cardBackground());
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(10, 10, 10, 10);

  auto* searchRow = new QHBoxLayout;
  _searchField = new QLineEdit(pane);
  _searchField->setPlaceholderText(QStringLiteral("Search by name..."));
  styleTextFieldBox(_searchField);
  _addSearchButton = makeButton(QStringLiteral("+"), pane);
  _addSearchButton->setToolTip(QStringLiteral("Add the search text as a new name"));
  _clearSearchButton = makeButton(QStringLiteral("×"), pane);
  _clearSearchButton->setToolTip(QStringLiteral("Clear the search box"));
  _filterButton = makeButton(QStringLiteral("Show: All"), pane);
  _filterButton->setToolTip(
      QStringLiteral("Click to cycle: All names → only names With Photos → "
                     "only Remaining (not shot yet)"));
  _exportButton = makeButton(QStringLiteral("Export"), pane);
  _exportButton->setToolTip(
      QStringLiteral("Export the whole list (names and notes) to a CSV file"));
  searchRow->addWidget(_searchField, 1);
  for (QPushButton* b : {_addSearchButton, _clearSearchButton, _filterButton, _exportButton}) {
    searchRow->addWidget(b);
  }
  layout->addLayout(searchRow);
  _searchField->setObjectName(QStringLiteral("searchField"));
  _addSearchButton->setObjectName(QStringLiteral("addSearchButton"));
  _clearSearchButton->setObjectName(QStringLiteral("clearSearchButton"));
  _filterButton->setObjectName(QStringLiteral("filterButton"));
  _exportButton->setObjectName(QStringLiteral("exportButton"));
  connect(_searchField, &QLineEdit::textEdited, this,
          [this](const QString& text) { searchTextEdited(text); });
  connect(_addSearchButton, &QPushButton::clicked, this, [this] { addSearchAsCSVRow(); });
  connect(_clearSearchButton, &QPushButton::clicked, this, [this] { clearSearch(); });
  connect(_filterButton, &QPushButton::clicked, this, [this] { cycleCaptureFilter(); });
  connect(_exportButton, &QPushButton::clicked, this, [this] { exportGrid(); });
  updateFilterButton();

  auto* noteRow = new QHBoxLayout;
  auto* pencil = new QLabel(QStringLiteral("📝"), pane);
  _noteField = new QLineEdit(pane);
  _noteField->setPlaceholderText(
      QStringLiteral("Note for the selected name — type here, saves automatically"));
  styleTextFieldBox(_noteField);
  _noteField->setObjectName(QStringLiteral("noteField"));
  connect(_noteField, &QLineEdit::textEdited, this,
          [this](const QString& text) { noteTextEdited(text); });
  _noteIndicator = new QPushButton(QStringLiteral("📝"), pane);
  _noteIndicator->setObjectName(QStringLiteral("noteIndicator"));
  _noteIndicator->setFlat(true);
  _noteIndicator->setCursor(Qt::PointingHandCursor);
  _noteIndicator->setStyleSheet(QStringLiteral("QPushButton { border: none; background: none; }"));
  _noteIndicator->setVisible(false);
  connect(_noteIndicator, &QPushButton::clicked, this, [this] { focusNoteField(); });
  noteRow->addWidget(pencil);
  noteRow->addWidget(_noteField, 1);
  noteRow->addWidget(_noteIndicator);
  layout->addLayout(noteRow);

  _tableStack = new QStackedWidget(pane);
  auto* table = new VantrelTableView(_tableStack);
  table->setObjectName(QStringLiteral("namesTable"));
  table->_vantrelSelectionColor = palette::brand();
  _table = table;
  _tableModel = new NamesTableModel(_names, this);
  _table->setModel(_tableModel);
  QHeaderView* header = _table->horizontalHeader();
  header->setSectionResizeMode(NamesTableModel::MarkerColumn, QHeaderView::Interactive);
  header->setSectionResizeMode(NamesTableModel::NameColumn, QHeaderView::Stretch);
  header->setSectionResizeMode(NamesTableModel::CountColumn, QHeaderView::Interactive);
  header->setMinimumSectionSize(30);
  _table->setColumnWidth(NamesTableModel::MarkerColumn, 44);
  _table->setColumnWidth(NamesTableModel::NameColumn, 420);
  _table->setColumnWidth(NamesTableModel::CountColumn, 58);
  table->setColumnWidthLimits(NamesTableModel::MarkerColumn, 30, 52);
  table->setColumnWidthLimits(NamesTableModel::CountColumn, 48, 80);
  connect(header, &QHeaderView::sectionClicked, this,
          [this](int column) { nameHeaderClicked(column); });
  connect(_table, &QTableView::clicked, this,
          [this](const QModelIndex& index) { tableClicked(index); });
  connect(_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { tableSelectionChanged(); });
  connect(_tableModel, &NamesTableModel::nameEdited, this,
          [this](qint64 row, bool accepted) { tableNameEdited(row, accepted); });
  table->_rowDragData = [this](int displayRow) { return rowDragMimeData(displayRow); };
  table->_validateDrop = [this](const QMimeData* data, VantrelTableView::DropTarget target) {
    return validateTableDrop(data, target.row, target.onto);
  };
  table->_acceptDrop = [this](const QMimeData* data, VantrelTableView::DropTarget target) {
    return acceptTableDrop(data, target.row, target.onto);
  };
  table->_onContextMenu = [this](int displayRow, const QPoint& globalPos) {
    showRowContextMenu(displayRow, globalPos);
  };

  // The row menu; the folder items are answered by the folder-repair actions.
  _rowMenu = new QMenu(QStringLiteral("Row"), _table);
  _rowMenu->setObjectName(QStringLiteral("rowMenu"));
  connect(_rowMenu->addAction(QStringLiteral("Insert Row Above")), &QAction::triggered, this,
          [this] { ctxInsertAbove(); });
  connect(_rowMenu->addAction(QStringLiteral("Insert Row Below")), &QAction::triggered, this,
          [this] { ctxInsertBelow(); });
  _rowMenu->addSeparator();
  _rowRenameFolderItem = _rowMenu->addAction(QStringLiteral("Rename Folder & Images…"));
  connect(_rowRenameFolderItem, &QAction::triggered, this, [this] {
    emit rowFolderActionRequested(QStringLiteral("rename"), contextTargetModelRow());
  });
  connect(_rowMenu->addAction(QStringLiteral("Edit Note…")), &QAction::triggered, this,
          [this] { ctxEditNote(); });
  _rowOpenFolderItem = _rowMenu->addAction(QStringLiteral("Open Folder in File Manager"));
  connect(_rowOpenFolderItem, &QAction::triggered, this, [this] {
    emit rowFolderActionRequested(QStringLiteral("open"), contextTargetModelRow());
  });
  _rowMenu->addSeparator();
  connect(_rowMenu->addAction(QStringLiteral("Mark Segment Start 🚩")), &QAction::triggered, this,
          [this] { ctxToggleMarker(); });
  _rowMenu->addSeparator();
  connect(_rowMenu->addAction(QStringLiteral("Delete Row")), &QAction::triggered, this,
          [this] { ctxDeleteRow(); });

  _emptyDropButton = new VantrelDropZone(_tableStack);
  _emptyDropButton->setObjectName(QStringLiteral("emptyDropZone"));
  _emptyDropButton->_borderColor = palette::softBorder();
  _emptyDropButton->_onClick = [this] { loadCSV(); };
  _emptyDropButton->_onDropPaths = [this](const QStringList& paths) {
    return appendDroppedCSVPaths(paths);
  };
  _tableStack->addWidget(_table);
  _tableStack->addWidget(_emptyDropButton);
  layout->addWidget(_tableStack, 1);
  syncNoteFieldToSelection();
  return pane;
}

QWidget* VantrelAppDelegate::buildRightPane() {
  auto* pane = new QFrame;
  pane->setObjectName(QStringLiteral("rightPane"));
  pane->setMinimumWidth(360);
  styleCardView(pane, palette::cardBackground());
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(10, 10, 10, 10);
  _preview = new QLabel(pane);
  _preview->setAlignment(Qt::AlignCenter);
  _preview->setMinimumSize(200, 150);
  _preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  _preview->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid %1; "
                                         "border-radius: 8px; }")
                              .arg(cssColor(palette::previewBorder())));
  layout->addWidget(_preview, 1);
  auto* row = new QHBoxLayout;
  _previewDownloadedPill = new QLabel(QStringLiteral("  Downloaded  "), pane);
  _previewDownloadedPill->setStyleSheet(
      QStringLiteral("QLabel { background: %1; color: white; font-weight: bold; font-size: 11px; "
                     "border-radius: 11px; padding: 3px; }")
          .arg(cssColor(palette::green())));
  _previewDownloadedPill->setVisible(false);
  _previewFilenameLabel = makeLabel(QStringLiteral("No preview yet"), pane);
  _previewPrevButton = makeButton(QStringLiteral("◀"), pane);
  _previewNextButton = makeButton(QStringLiteral("▶"), pane);
  _previewRevealButton = makeButton(QStringLiteral("📂"), pane);
  _previewRevealButton->setToolTip(QStringLiteral("Open this photo's folder in File Manager"));
  connect(_previewPrevButton, &QPushButton::clicked, this, [this] { previewPreviousImage(); });
  connect(_previewNextButton, &QPushButton::clicked, this, [this] { previewNextImage(); });
  connect(_previewRevealButton, &QPushButton::clicked, this, [this] { revealPreviewInFinder(); });
  // The file name gets a line of its own: the pane may be as narrow as 360 points.
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(_previewDownloadedPill);
  nameRow->addWidget(_previewFilenameLabel, 1);
  layout->addLayout(nameRow);
  row->addStretch();
  row->addWidget(_previewPrevButton);
  row->addWidget(_previewNextButton);
  row->addWidget(_previewRevealButton);
  layout->addLayout(row);
  return pane;
}

QWidget* VantrelAppDelegate::buildSettingsPopover() {
  auto* popover = new QFrame(_window, Qt::Popup);
  popover->setObjectName(QStringLiteral("settingsPopover"));
  popover->setFixedSize(360, 340);
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
  _folderButton = makeButton(QStringLiteral("Change…"), popover);
  _folderButton->setToolTip(QStringLiteral("Choose the folder where captured images are saved"));
  connect(_folderButton, &QPushButton::clicked, this, [this] { selectFolder(); });
  _settingsFolderPathLabel = makeLabel(QStringLiteral("No folder chosen"), popover);
  folderRow->addWidget(_folderButton);
  folderRow->addWidget(_settingsFolderPathLabel, 1);
  layout->addLayout(folderRow);
  section(QStringLiteral("BACKUP FOLDER"));
  auto* backupRow = new QHBoxLayout;
  _backupButton = makeButton(QStringLiteral("Backup: Off"), popover);
  _backupButton->setObjectName(QStringLiteral("backupButton"));
  _backupButton->setToolTip(
      QStringLiteral("Optional: also copy every saved photo to a second "
                     "folder or a mounted network drive"));
  _settingsBackupPathLabel = makeLabel(QStringLiteral("No backup folder"), popover);
  backupRow->addWidget(_backupButton);
  backupRow->addWidget(_settingsBackupPathLabel, 1);
  layout->addLayout(backupRow);
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
    connect(button, &QPushButton::clicked, this, [this, tag] { selectDestination(tag); });
    _destButtons << button;
    destRow->addWidget(button);
  }
  layout->addLayout(destRow);
  section(QStringLiteral("TAGS"));
  _tagRow = new QHBoxLayout;
  _suffixManageButton = makeButton(QStringLiteral("Edit…"), popover);
  _suffixManageButton->setToolTip(QStringLiteral("Add, rename, or remove tag buttons (up to 5)"));
  connect(_suffixManageButton, &QPushButton::clicked, this, [this] { manageSuffixes(); });
  _tagRow->addStretch();
  _tagRow->addWidget(_suffixManageButton);
  layout->addLayout(_tagRow);
  rebuildSuffixButtons();
  layout->addStretch();
  _resetButton = makeButton(QStringLiteral("↻ Reset workflow"), popover);
  connect(_resetButton, &QPushButton::clicked, this, [this] { resetWorkflow(); });
  layout->addWidget(_resetButton);
  return popover;
}

QString VantrelAppDelegate::abbreviatedPath(const QString& path) const {
  const QString home = QDir::homePath();
  return path.startsWith(home + QLatin1Char('/')) ? QStringLiteral("~") + path.mid(home.size())
                                                  : path;
}

void VantrelAppDelegate::refreshSettingsPaths() {
  if (_settingsFolderPathLabel) {
    _settingsFolderPathLabel->setText(_targetDir.isEmpty() ? QStringLiteral("No folder chosen")
                                                           : abbreviatedPath(_targetDir));
    _settingsFolderPathLabel->setToolTip(_targetDir);
  }
  refreshBackupButton();
}

void VantrelAppDelegate::toggleSettingsPopover() {
  if (!_settingsPopover) return;
  if (_settingsPopover->isVisible()) {
    _settingsPopover->hide();
    return;
  }
  refreshSettingsPaths();
  const QPoint below =
      _gearButton->mapToGlobal(QPoint(_gearButton->width(), _gearButton->height()));
  _settingsPopover->move(below - QPoint(_settingsPopover->width(), -4));
  _settingsPopover->show();
}

void VantrelAppDelegate::installMainMenu() {
  auto* window = qobject_cast<QMainWindow*>(_window.data());
  if (!window) return;
  QMenuBar* bar = window->menuBar();
  const QString appTitle = QStringLiteral("Vantrel Photo Tether %1").arg(_displayVersion);
  QMenu* app = bar->addMenu(appTitle);
  app->addAction(appTitle)->setEnabled(false);
  app->addSeparator();
  connect(app->addAction(QStringLiteral("Check for Updates…")), &QAction::triggered, this,
          [this] { checkForUpdatesInteractive(); });
  app->addSeparator();
  QAction* quit = app->addAction(QStringLiteral("Quit Vantrel Photo Tether"));
  quit->setShortcut(QKeySequence::Quit);
  connect(quit, &QAction::triggered, this, [this] { emit quitRequested(); });

  // Edit items go to the focused text field first; elsewhere copy and paste work on the list.
  QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
  auto addEditItem = [this, edit](const QString& title, const QString& keys, EditCommand command) {
    QAction* action = edit->addAction(title);
    action->setShortcut(QKeySequence(keys));
    connect(action, &QAction::triggered, this, [this, command] { performEditCommand(command); });
  };
  addEditItem(QStringLiteral("Undo"), QStringLiteral("Ctrl+Z"), EditCommand::Undo);
  addEditItem(QStringLiteral("Redo"), QStringLiteral("Ctrl+Shift+Z"), EditCommand::Redo);
  edit->addSeparator();
  addEditItem(QStringLiteral("Cut"), QStringLiteral("Ctrl+X"), EditCommand::Cut);
  addEditItem(QStringLiteral("Copy"), QStringLiteral("Ctrl+C"), EditCommand::Copy);
  addEditItem(QStringLiteral("Paste"), QStringLiteral("Ctrl+V"), EditCommand::Paste);
  edit->addSeparator();
  addEditItem(QStringLiteral("Select All"), QStringLiteral("Ctrl+A"), EditCommand::SelectAll);

  _listMenu = bar->addMenu(QStringLiteral("List"));
  QAction* importItem = _listMenu->addAction(QStringLiteral("Import CSV…"));
  importItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
  connect(importItem, &QAction::triggered, this, [this] { loadCSV(); });
  QAction* exportItem = _listMenu->addAction(QStringLiteral("Export List…"));
  exportItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
  connect(exportItem, &QAction::triggered, this, [this] { exportGrid(); });
  _listMenu->addSeparator();
  connect(_listMenu->addAction(QStringLiteral("Rename a Photo Folder…")), &QAction::triggered, this,
          [this] { renameFolderInteractive(); });

  QMenu* camera = bar->addMenu(QStringLiteral("Camera"));
  connect(camera->addAction(QStringLiteral("Connect Now")), &QAction::triggered, this,
          [this] { connectCameraManual(); });
  connect(camera->addAction(QStringLiteral("Force Reconnect (Restart Session)")),
          &QAction::triggered, this, [this] { forceCameraReconnect(); });
  connect(camera->addAction(QStringLiteral("Disconnect")), &QAction::triggered, this,
          [this] { disconnectCamera(); });
  camera->addSeparator();
  _autoConnectMenuItem = camera->addAction(QStringLiteral("Auto-Connect Camera"));
  _autoConnectMenuItem->setCheckable(true);
  _autoConnectMenuItem->setChecked(_camera.autoConnect);
  connect(_autoConnectMenuItem, &QAction::triggered, this, [this] { toggleAutoConnect(); });
  camera->addSeparator();
  _takePhotoMenuItem = camera->addAction(QStringLiteral("Take Photo"));
  _takePhotoMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
  _takePhotoMenuItem->setEnabled(false);
  connect(_takePhotoMenuItem, &QAction::triggered, this, [this] { takePhoto(); });

  installBackupMenu(bar->addMenu(QStringLiteral("Backup")));
}

void VantrelAppDelegate::reloadTable(bool scrollToCurrent) {
  _names.applySearchFilter();
  if (_tableModel) _tableModel->reload();
  // A reset model forgets its selection; the current person is shown selected again if visible.
  selectModelRowInTable(_names.selectedRow(), scrollToCurrent);
  // The current person may be gone (a deleted row, a replaced list) without a selection change.
  syncNoteFieldToSelection();
  updateEmptyState();
}

qint64 VantrelAppDelegate::currentTableModelRow() const {
  if (!_table || !_table->selectionModel()) return -1;
  const QItemSelectionModel* selection = _table->selectionModel();
  // Of several selected rows, the one clicked last.
  int display = -1;
  const QModelIndex current = selection->currentIndex();
  if (current.isValid() && selection->isRowSelected(current.row(), QModelIndex())) {
    display = current.row();
  } else if (const QModelIndexList rows = selection->selectedRows(); !rows.isEmpty()) {
    display = rows.first().row();
  }
  const qint64 row = _names.modelRowForDisplayRow(display);
  return _names.isValidRow(row) ? row : -1;
}

void VantrelAppDelegate::selectModelRowInTable(qint64 row, bool scroll) {
  if (!_table) return;
  const qint64 display = _names.displayRowForModelRow(row);
  if (display < 0) {
    _table->clearSelection();
    return;
  }
  // Explicit flags: selectRow() would extend the selection while Shift or Ctrl is held.
  const QModelIndex index =
      _tableModel->index(static_cast<int>(display), NamesTableModel::NameColumn);
  _table->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (scroll) _table->scrollTo(index);
}

void VantrelAppDelegate::tableClicked(const QModelIndex& index) {
  if (index.isValid() && index.column() == NamesTableModel::MarkerColumn) {
    toggleMarkerForModelRow(_names.modelRowForDisplayRow(index.row()));
  }
  const qint64 row = currentTableModelRow();
  if (row >= 0) _names.setSelectedRow(row);
  savePersistentPaths();
  syncNoteFieldToSelection();
  if (!showSelectionTotalsIfMultiple()) refreshReadyStatusIfIdle();
  updatePathLabels();
  updateControls();
}

void VantrelAppDelegate::tableSelectionChanged() {
  QSet<qint64> selected;
  for (const QModelIndex& index : _table->selectionModel()->selectedRows()) {
    selected.insert(_names.modelRowForDisplayRow(index.row()));
  }
  _tableModel->setSelectedModelRows(selected);
  const qint64 row = currentTableModelRow();
  if (row >= 0) _names.setSelectedRow(row);
  syncNoteFieldToSelection();
  updatePathLabels();
  showSelectionTotalsIfMultiple();
}

void VantrelAppDelegate::moveGridSelectionBy(int step) {
  if (!_table || _names.display().displayRowCount() == 0) return;
  // From the table's selection: with none (say, the current person hidden by a search) the
  // up arrow starts at the last row and the down arrow at the first.
  const qint64 current = _names.displayRowForModelRow(currentTableModelRow());
  const qint64 target = _names.display().moveGridSelectionBy(current, step);
  if (target < 0) return;
  _names.setSelectedRow(_names.modelRowForDisplayRow(target));
  selectModelRowInTable(_names.selectedRow(), true);
  savePersistentPaths();
}
