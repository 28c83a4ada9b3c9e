// The main window: top panel of cards, the names table, the preview, the settings popover and
// the menu bar. Views show state and forward the operator's actions to the controller.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "csv_import.h"
#include "names_table_model.h"
#include "palette.h"
#include "vantrel_app_delegate.h"
#include "vantrel_drop_zone.h"
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
  auto* button = new QPushButton(title, parent);
  button->setCursor(Qt::PointingHandCursor);
  return button;
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
  QTimer::singleShot(kUpdateCheckDelayMs, this, [] {});
  startAutoDetectTimer();
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

  auto* noteRow = new QHBoxLayout;
  auto* pencil = new QLabel(QStringLiteral("📝"), pane);
  _noteField = new QLineEdit(pane);
  _noteField->setPlaceholderText(
      QStringLiteral("Note for the selected name — type here, saves automatically"));
  styleTextFieldBox(_noteField);
  noteRow->addWidget(pencil);
  noteRow->addWidget(_noteField, 1);
  layout->addLayout(noteRow);

  _tableStack = new QStackedWidget(pane);
  _table = new QTableView(_tableStack);
  _tableModel = new NamesTableModel(_names, this);
  _table->setModel(_tableModel);
  _table->setSelectionBehavior(QAbstractItemView::SelectRows);
  _table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  _table->setShowGrid(false);
  _table->setAlternatingRowColors(false);
  _table->verticalHeader()->setVisible(false);
  _table->verticalHeader()->setDefaultSectionSize(34);
  _table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  _table->horizontalHeader()->setSectionsMovable(false);
  _table->horizontalHeader()->setSectionResizeMode(NamesTableModel::MarkerColumn,
                                                   QHeaderView::Interactive);
  _table->horizontalHeader()->setSectionResizeMode(NamesTableModel::NameColumn,
                                                   QHeaderView::Stretch);
  _table->horizontalHeader()->setSectionResizeMode(NamesTableModel::CountColumn,
                                                   QHeaderView::Interactive);
  _table->setColumnWidth(NamesTableModel::MarkerColumn, 44);
  _table->setColumnWidth(NamesTableModel::CountColumn, 58);
  _table->setStyleSheet(
      QStringLiteral(
          "QTableView { background: white; border: none; selection-background-color: %1; "
          "selection-color: white; }")
          .arg(cssColor(palette::brand())));
  connect(_table, &QTableView::clicked, this,
          [this](const QModelIndex& index) { tableClicked(index); });
  connect(_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { tableSelectionChanged(); });
  _emptyDropButton = new VantrelDropZone(_tableStack);
  _emptyDropButton->_borderColor = palette::softBorder();
  _tableStack->addWidget(_table);
  _tableStack->addWidget(_emptyDropButton);
  layout->addWidget(_tableStack, 1);
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
  row->addWidget(_previewDownloadedPill);
  row->addWidget(_previewFilenameLabel, 1);
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
  layout->addLayout(_tagRow);
  layout->addStretch();
  _resetButton = makeButton(QStringLiteral("↻ Reset workflow"), popover);
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
  app->addAction(QStringLiteral("Check for Updates…"));
  app->addSeparator();
  QAction* quit = app->addAction(QStringLiteral("Quit Vantrel Photo Tether"));
  quit->setShortcut(QKeySequence::Quit);
  connect(quit, &QAction::triggered, this, [this] { emit quitRequested(); });

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

void VantrelAppDelegate::reloadTable() {
  _names.applySearchFilter();
  if (_tableModel) _tableModel->reload();
  updateEmptyState();
}

qint64 VantrelAppDelegate::currentTableModelRow() const {
  if (!_table || !_table->selectionModel()) return -1;
  const QModelIndexList rows = _table->selectionModel()->selectedRows();
  if (rows.isEmpty()) return -1;
  const qint64 row = _names.modelRowForDisplayRow(rows.first().row());
  return _names.isValidRow(row) ? row : -1;
}

void VantrelAppDelegate::selectModelRowInTable(qint64 row, bool scroll) {
  if (!_table) return;
  const qint64 display = _names.displayRowForModelRow(row);
  if (display < 0) {
    _table->clearSelection();
    return;
  }
  _table->selectRow(static_cast<int>(display));
  if (scroll) _table->scrollTo(_tableModel->index(static_cast<int>(display), 1));
}

void VantrelAppDelegate::tableClicked(const QModelIndex& index) {
  if (index.isValid() && index.column() == NamesTableModel::MarkerColumn) {
    const qint64 row = _names.modelRowForDisplayRow(index.row());
    if (_names.isValidRow(row)) {
      _names.toggleMarkerForModelRow(row);
      _gridStore->saveIfChanged(_names);
      _tableModel->reload();
      selectModelRowInTable(row, false);
    }
  }
  const qint64 row = currentTableModelRow();
  if (row >= 0) _names.setSelectedRow(row);
  savePersistentPaths();
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
  updatePathLabels();
  showSelectionTotalsIfMultiple();
}

void VantrelAppDelegate::moveGridSelectionBy(int step) {
  if (!_table || _names.display().displayRowCount() == 0) return;
  const qint64 current = _names.displayRowForModelRow(_names.selectedRow());
  const qint64 target = _names.display().moveGridSelectionBy(current, step);
  if (target < 0) return;
  _names.setSelectedRow(_names.modelRowForDisplayRow(target));
  selectModelRowInTable(_names.selectedRow(), true);
  savePersistentPaths();
}

bool VantrelAppDelegate::importFirstColumnFromCSV(const QString& path) {
  if (!QFileInfo(path).isFile()) return false;
  _names.importFirstColumn(vantrel::names::readFirstColumnOfCsvFile(path.toStdString()));
  reloadTable();
  selectSavedOrFirstCSVRow();
  return true;
}
