#include "names_controller.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QStackedWidget>
#include <QTableView>
#include <algorithm>
#include <filesystem>

#include "csv_import.h"
#include "dialogs.h"
#include "field_columns_menu.h"
#include "filing_messages.h"
#include "list_export.h"
#include "names_messages.h"
#include "names_question.h"
#include "names_table_model.h"
#include "palette.h"
#include "photo_recount.h"
#include "qt_text_folding.h"
#include "roster_importer.h"
#include "settings_keys.h"
#include "status_controller.h"
#include "user_defaults.h"
#include "utf8_text.h"
#include "view_styling.h"

namespace names = vantrel::names;

namespace {

const QString kGood = QStringLiteral("good");
const QString kNeutral = QStringLiteral("neutral");

// A file name as the file system spells it.
std::filesystem::path localPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

NamesController::NamesController(const QString& gridStorePath, StatusController* status,
                                 Dialogs* dialogs, UserDefaults* defaults, QObject* parent)
    : QObject(parent),
      _status(status),
      _dialogs(dialogs),
      _defaults(defaults),
      _names(namesTextFolding()),
      _gridStore(std::make_unique<names::GridStore>(gridStorePath.toStdString())),
      _importer(std::make_unique<RosterImporter>(dialogs, defaults)),
      _tableModel(new NamesTableModel(_names, this)),
      _fieldColumns(new FieldColumnsMenu(_tableModel, _names, defaults, this)) {
  connect(_fieldColumns, &FieldColumnsMenu::shownFieldsChanged, this, [this] { reloadTable(); });
}

NamesController::~NamesController() = default;

void NamesController::attach(const NamesViews& views) {
  _views = views;
  if (_views.table) _fieldColumns->attach(_views.table);
  updateFilterButton();
}

// --- Settings ---

void NamesController::saveSelection() {
  if (!_csvPath.isEmpty()) _defaults->set(settings_keys::kCsvPath, _csvPath);
  if (_names.selectedRow() >= 0) {
    _defaults->set(settings_keys::kSelectedRow, static_cast<qlonglong>(_names.selectedRow()));
  }
  _defaults->flush();
}

void NamesController::restoreList() {
  if (const auto csv = _defaults->string(settings_keys::kCsvPath);
      csv && !csv->isEmpty() && QFileInfo::exists(*csv)) {
    _csvPath = *csv;
  }
  if (_gridStore->loadGridFromDisk(_names)) {
    reloadTable();
    selectSavedOrFirstCSVRow();
  } else if (!_csvPath.isEmpty()) {
    importFirstColumnFromCSV(_csvPath);
    _gridStore->save(_names);
  }
}

void NamesController::selectSavedOrFirstCSVRow() {
  if (_names.isEmpty() || !_views.table) {
    _names.setSelectedRow(names::kNoRow);
    emit selectionChanged();
    return;
  }
  std::optional<std::int64_t> saved;
  if (const auto stored = _defaults->integer(settings_keys::kSelectedRow)) saved = *stored;
  _names.selectSavedOrFirst(saved);
  reloadTable();
  selectModelRowInTable(_names.selectedRow(), true);
  saveSelection();
}

bool NamesController::confirmReset() {
  return askNamesQuestion(*_dialogs, names::resetQuestion()) == 0;
}

void NamesController::resetList() {
  _csvPath.clear();
  _names.reset();
  _gridStore->discard(_names);
  updateFilterButton();
  reloadTable();
  if (_views.table) _views.table->clearSelection();
  if (_views.searchField) _views.searchField->clear();
}

// --- Import and export ---

bool NamesController::importFirstColumnFromCSV(const QString& path) {
  const std::optional<names::RosterTable> table = names::readRosterFile(localPath(path));
  if (!table) return false;
  showImportedList(_names.importRoster(_importer->withRememberedChoice(*table)));
  return true;
}

void NamesController::showImportedList(std::int64_t count) {
  if (_views.searchField) _views.searchField->clear();
  updateNameColumnCount();
  reloadTable();
  selectSavedOrFirstCSVRow();
  // Before the status: a change of watching refreshes the readiness summary.
  emit listChanged();
  _status->setStatus(utf8Text(names::importedStatus(count, _names.fieldNames().size())), kGood);
}

void NamesController::offerMakeUnique(qint64 firstImported) {
  const std::int64_t renamed = _importer->offerMakeUnique(_names, firstImported);
  if (renamed == 0) return;
  _gridStore->saveIfChanged(_names);
  reloadTable();
  _status->setStatus(utf8Text(names::madeUniqueStatus(renamed)), kGood);
}

void NamesController::loadCSV() {
  const QStringList chosen = _dialogs->chooseFiles(
      QStringLiteral("Import CSV"), {QStringLiteral("csv"), QStringLiteral("txt")}, false);
  if (chosen.isEmpty()) return;
  if (!_names.isEmpty() && askNamesQuestion(*_dialogs, names::replaceListQuestion()) != 0) return;
  const QString path = chosen.first();
  const auto files = _importer->read({path});
  if (files.empty()) return;
  const auto rosters = _importer->chooseColumns(files);
  if (!rosters) return;
  showImportedList(_names.importRoster(rosters->front()));
  offerMakeUnique(0);
  _csvPath = path;
  _gridStore->saveIfChanged(_names);
  saveSelection();
  const names::AlertText done = names::importedAlert(_names.rowCount());
  _dialogs->alert(utf8Text(done.title), utf8Text(done.message));
}

void NamesController::exportGrid() {
  if (_names.isEmpty()) {
    const names::AlertText empty = names::nothingToExportAlert();
    _status->showAlert(utf8Text(empty.title), utf8Text(empty.message));
    return;
  }
  QStringList formats;
  for (int format = 0; format < names::kExportFormatCount; ++format) {
    formats << utf8Text(names::exportFormatTitle(static_cast<names::ExportFormat>(format)));
  }
  const int lastFormat = static_cast<int>(
      std::clamp<qint64>(_defaults->integer(settings_keys::kExportFormat).value_or(0), 0,
                         names::kExportFormatCount - 1));
  const std::optional<ExportFileChoice> chosen = _dialogs->chooseExportFile(
      QStringLiteral("Export List"), utf8Text(names::kExportFileName), formats, lastFormat);
  if (!chosen || chosen->path.isEmpty()) return;
  QString path = chosen->path;
  // The save panel only allows csv files.
  if (QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
    path += QStringLiteral(".csv");
  }
  const int format = std::clamp(chosen->format, 0, names::kExportFormatCount - 1);
  _defaults->set(settings_keys::kExportFormat, format);
  if (!names::writeExport(localPath(path), _names, static_cast<names::ExportFormat>(format))) {
    const names::AlertText failed = names::exportFailedAlert();
    _status->showAlert(utf8Text(failed.title), utf8Text(failed.message));
    return;
  }
  _status->setStatus(
      utf8Text(names::exportedStatus(_names.rowCount(), QFileInfo(path).fileName().toStdString())),
      kGood);
}

bool NamesController::importDroppedCSVPaths(const QStringList& paths) {
  const auto files = _importer->read(paths);
  if (files.empty()) return false;
  names::DropChoice choice = names::DropChoice::Add;
  if (!_names.isEmpty()) {
    const int answer = askNamesQuestion(*_dialogs, names::dropChoiceQuestion(_names.rowCount()));
    if (answer == 1) {
      choice = names::DropChoice::Replace;
    } else if (answer != 0) {
      return false;
    }
  }
  const auto rosters = _importer->chooseColumns(files);
  if (!rosters) return false;
  const qint64 firstImported = choice == names::DropChoice::Replace ? 0 : _names.rowCount();
  const names::DropImportResult result = _names.importDroppedRosters(*rosters, choice);
  if (!result.changed()) return true;
  _gridStore->saveIfChanged(_names);
  afterRowMutationSelect(_names.selectedRow());
  _status->setStatus(utf8Text(names::droppedNamesStatus(result)), kGood);
  offerMakeUnique(firstImported);
  return true;
}

bool NamesController::appendDroppedCSVPaths(const QStringList& paths) {
  const auto files = _importer->read(paths);
  if (files.empty()) return false;
  const auto rosters = _importer->chooseColumns(files);
  if (!rosters) return false;
  const qint64 firstAdded = _names.rowCount();
  std::int64_t added = 0;
  for (const names::Roster& roster : *rosters) added += _names.appendRoster(roster);
  if (added == 0) return false;
  afterRowMutationSelect(firstAdded);
  _status->setStatus(utf8Text(names::droppedNamesStatus({added, false})), kGood);
  offerMakeUnique(firstAdded);
  return true;
}

void NamesController::afterRowMutationSelect(qint64 row) {
  emit listChanged();
  _names.selectAfterRowMutation(row);
  if (_views.searchField) _views.searchField->clear();
  _gridStore->saveIfChanged(_names);
  saveSelection();
  reloadTable(true);
  updateNameColumnCount();
  emit controlsChanged();
}

void NamesController::storeIfChanged() {
  _gridStore->saveIfChanged(_names);
}

void NamesController::afterPhotosMoved(qint64 destinationRow) {
  _gridStore->saveIfChanged(_names);
  reloadTable();
  selectModelRowInTable(destinationRow, true);
  updateNameColumnCount();
  emit listChanged();
}

void NamesController::namesPasted() {
  if (_views.searchField) _views.searchField->clear();
  reloadTable(true);
  _gridStore->saveIfChanged(_names);
  saveSelection();
  emit listChanged();
}

// --- Search, filter and sort ---

void NamesController::searchTextEdited(const QString& searchText) {
  _names.setSearchText(searchText.toStdString());
  reloadTable();
}

void NamesController::addSearchAsCSVRow() {
  const names::ModelRow row = _names.addSearchTextAsRow();
  if (row == names::kNoRow) {
    const names::AlertText nothing = names::nothingToAddAlert();
    _status->showAlert(utf8Text(nothing.title), utf8Text(nothing.message));
    return;
  }
  reloadTable(true);
  _gridStore->saveIfChanged(_names);
  saveSelection();
  // The first name may be what watching waited for.
  emit listChanged();
  _status->setStatus(utf8Text(names::addedAndSelectedStatus(_names.nameForModelRow(row))), kGood);
  emit controlsChanged();
}

void NamesController::clearSearch() {
  if (_views.searchField) _views.searchField->clear();
  _names.setSearchText({});
  reloadTable(true);
}

void NamesController::cycleCaptureFilter() {
  const names::CaptureFilter filter = _names.cycleCaptureFilter();
  updateFilterButton();
  _status->setStatus(utf8Text(names::captureFilterStatus(filter)), kNeutral);
  reloadTable(true);
}

void NamesController::updateFilterButton() {
  if (!_views.filterButton) return;
  const names::CaptureFilter filter = _names.display().captureFilter();
  styleButton(_views.filterButton, utf8Text(names::captureFilterTitle(filter)),
              filter == names::CaptureFilter::All ? palette::gray() : palette::blue(), true);
}

void NamesController::nameHeaderClicked(int column) {
  if (column != NamesTableModel::NameColumn) return;
  const names::SortMode mode = _names.cycleSortMode();
  updateNameColumnCount();
  _status->setStatus(utf8Text(names::sortStatus(mode)), kNeutral);
  reloadTable(true);
}

// --- The table ---

void NamesController::reloadTable(bool scrollToCurrent) {
  _names.applySearchFilter();
  _tableModel->reload();
  // A reset model forgets its selection; the current person is shown selected again if visible.
  selectModelRowInTable(_names.selectedRow(), scrollToCurrent);
  // The current person may be gone (a deleted row, a replaced list) without a selection change.
  emit selectionChanged();
  updateEmptyState();
}

qint64 NamesController::currentTableModelRow() const {
  if (!_views.table || !_views.table->selectionModel()) return -1;
  const QItemSelectionModel* selection = _views.table->selectionModel();
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

qint64 NamesController::captureRow() const {
  const qint64 tableRow = currentTableModelRow();
  return tableRow >= 0 ? tableRow : _names.selectedRow();
}

qint64 NamesController::selectedRowCount() const {
  if (!_views.table || !_views.table->selectionModel()) return 0;
  // Counted from the selection's ranges: cheap for long lists.
  qint64 count = 0;
  for (const QItemSelectionRange& range : _views.table->selectionModel()->selection()) {
    count += range.height();
  }
  return count;
}

bool NamesController::selectAllRowsIfFocused() {
  if (!_views.table || !_views.table->hasFocus()) return false;
  _views.table->selectAll();
  return true;
}

void NamesController::selectModelRowInTable(qint64 row, bool scroll) {
  if (!_views.table) return;
  const qint64 display = _names.displayRowForModelRow(row);
  if (display < 0) {
    _views.table->clearSelection();
    return;
  }
  // Explicit flags: selectRow() would extend the selection while Shift or Ctrl is held.
  const QModelIndex index =
      _tableModel->index(static_cast<int>(display), NamesTableModel::NameColumn);
  _views.table->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (scroll) _views.table->scrollTo(index);
}

void NamesController::tableClicked(const QModelIndex& index) {
  if (index.isValid() && index.column() == NamesTableModel::MarkerColumn) {
    emit markerClicked(_names.modelRowForDisplayRow(index.row()));
  }
  const qint64 row = currentTableModelRow();
  if (row >= 0) _names.setSelectedRow(row);
  saveSelection();
  emit selectionChanged();
  if (!showSelectionTotalsIfMultiple()) _status->refreshReadyStatusIfIdle();
  updateNameColumnCount();
  emit controlsChanged();
}

void NamesController::tableSelectionChanged() {
  QSet<qint64> selected;
  for (const QModelIndex& index : _views.table->selectionModel()->selectedRows()) {
    selected.insert(_names.modelRowForDisplayRow(index.row()));
  }
  _tableModel->setSelectedModelRows(selected);
  const qint64 row = currentTableModelRow();
  if (row >= 0) _names.setSelectedRow(row);
  emit selectionChanged();
  updateNameColumnCount();
  showSelectionTotalsIfMultiple();
}

void NamesController::moveGridSelectionBy(int step) {
  if (!_views.table || _names.display().displayRowCount() == 0) return;
  // From the table's selection: with none (say, the current person hidden by a search) the
  // up arrow starts at the last row and the down arrow at the first.
  const qint64 current = _names.displayRowForModelRow(currentTableModelRow());
  const qint64 target = _names.display().moveGridSelectionBy(current, step);
  if (target < 0) return;
  _names.setSelectedRow(_names.modelRowForDisplayRow(target));
  selectModelRowInTable(_names.selectedRow(), true);
  saveSelection();
}

bool NamesController::showSelectionTotalsIfMultiple() {
  if (!_views.table || !_views.table->selectionModel()) return false;
  const QModelIndexList selected = _views.table->selectionModel()->selectedRows();
  if (selected.size() < 2) return false;
  std::vector<names::DisplayRow> rows;
  for (const QModelIndex& index : selected) rows.push_back(index.row());
  _status->setStatus(utf8Text(names::selectionTotalsStatus(_names.selectionTotals(rows))),
                     kNeutral);
  return true;
}

void NamesController::rowChanged(qint64 row) {
  _tableModel->modelRowChanged(row);
}

// --- Counts ---

void NamesController::markCaptureForRow(qint64 row) {
  if (!_names.isValidRow(row)) return;
  _names.addCaptureToModelRow(row);
  _gridStore->saveIfChanged(_names);
  _names.applySearchFilter();
  reloadTable();
  selectModelRowInTable(_names.selectedRow(), false);
  updateNameColumnCount();
}

void NamesController::syncCountsFromFolder(const QString& targetDir) {
  if (targetDir.isEmpty() || _names.isEmpty()) return;
  if (vantrel::filing::syncCapturedCountsFromDisk(_names, targetDir.toStdString())) {
    _gridStore->saveIfChanged(_names);
    reloadTable();
  }
}

// --- Controls ---

void NamesController::updateControls() {
  if (_views.addSearchButton) {
    styleButton(_views.addSearchButton, QStringLiteral("+"), palette::green(), true);
  }
  if (_views.clearSearchButton) {
    styleButton(_views.clearSearchButton, QStringLiteral("×"), palette::blue(), true);
  }
  if (_views.exportButton) {
    styleButton(_views.exportButton, QStringLiteral("Export"), palette::gray(), !_names.isEmpty());
  }
  updateEmptyState();
  updateNameColumnCount();
}

void NamesController::updateEmptyState() {
  if (!_views.tableStack) return;
  _views.tableStack->setCurrentIndex(_names.isEmpty() ? 1 : 0);
}

void NamesController::updateNameColumnCount() {
  _tableModel->setNameTitle(QString::fromStdString(
      vantrel::filing::nameColumnTitleWithCount(_names.display().sortMode(), _names.rowCount())));
}
