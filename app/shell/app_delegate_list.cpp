// The names list in the window: import and export, dropped files, search, filter and sort, the
// clipboard, the row menu, notes, drags and the reset. The rules live in the names library;
// this file asks the questions, shows the outcome and writes the store after each change.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <filesystem>

#include "csv_import.h"
#include "dialogs.h"
#include "dropped_roster_files.h"
#include "file_bytes.h"
#include "names_messages.h"
#include "names_table_model.h"
#include "palette.h"
#include "settings_keys.h"
#include "user_defaults.h"
#include "vantrel_app_delegate.h"
#include "view_styling.h"

namespace names = vantrel::names;

namespace {

const QString kRowReorderType = QStringLiteral("com.vantrel.tether.row-reorder");
const QString kGood = QStringLiteral("good");
const QString kNeutral = QStringLiteral("neutral");

// A roster that cannot be read must not replace a list with nothing.
const QString kImportFailedTitle = QStringLiteral("Import Failed");
const QString kImportFailedMessage =
    QStringLiteral("Could not read the CSV file. Check that it still exists and can be opened.");
// Shown while nothing answers a row dropped onto another.
const QString kMoveNotAvailableStatus =
    QStringLiteral("Moving photos between names is not available.");

QString text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string utf8(const QString& value) {
  return value.toStdString();
}

// A file name as the file system spells it.
std::filesystem::path localPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QStringList buttonTitles(const names::AlertText& alert) {
  QStringList titles;
  for (const std::string& title : alert.buttons) titles << text(title);
  return titles;
}

// The index of the button pressed.
int ask(Dialogs& dialogs, const names::AlertText& alert) {
  return dialogs.ask(text(alert.title), text(alert.message), buttonTitles(alert));
}

// The model row a row drag carries; -1 for anything unreadable.
qint64 draggedModelRow(const QMimeData* data) {
  bool ok = false;
  const qint64 row = data->data(kRowReorderType).trimmed().toLongLong(&ok);
  return ok ? row : names::kNoRow;
}

// Rows selected in the table, counted from the selection's ranges (cheap for long lists).
qint64 selectedRowCount(const QTableView* table) {
  if (!table || !table->selectionModel()) return 0;
  qint64 count = 0;
  for (const QItemSelectionRange& range : table->selectionModel()->selection()) {
    count += range.height();
  }
  return count;
}

// Each readable file's first column, in drop order. When none can be read the operator is told,
// and the list stays as it was.
std::vector<std::vector<std::string>> readDroppedRosters(const QStringList& paths,
                                                         Dialogs& dialogs) {
  std::vector<std::vector<std::string>> files;
  for (const QString& path : paths) {
    if (const auto bytes = names::readFileBytes(localPath(path))) {
      files.push_back(names::firstColumnOfCsv(*bytes));
    }
  }
  if (files.empty() && !paths.isEmpty()) dialogs.alert(kImportFailedTitle, kImportFailedMessage);
  return files;
}

}  // namespace

// --- Import and export ---

bool VantrelAppDelegate::importFirstColumnFromCSV(const QString& path) {
  const std::optional<std::string> bytes = names::readFileBytes(localPath(path));
  if (!bytes) return false;
  const std::int64_t count = _names.importFirstColumn(names::firstColumnOfCsv(*bytes));
  if (_searchField) _searchField->clear();
  updateNameColumnCount();
  reloadTable();
  selectSavedOrFirstCSVRow();
  updatePathLabels();
  // Before the status: a change of watching refreshes the readiness summary.
  updateAutoWatch();
  setStatus(text(names::importedStatus(count)), kGood);
  return true;
}

void VantrelAppDelegate::loadCSV() {
  const QStringList chosen = _dialogs->chooseFiles(
      QStringLiteral("Import CSV"), {QStringLiteral("csv"), QStringLiteral("txt")}, false);
  if (chosen.isEmpty()) return;
  if (!_names.isEmpty() && ask(*_dialogs, names::replaceListQuestion()) != 0) return;
  const QString path = chosen.first();
  if (!importFirstColumnFromCSV(path)) {
    _dialogs->alert(kImportFailedTitle, kImportFailedMessage);
    return;
  }
  _csvPath = path;
  _gridStore->saveIfChanged(_names);
  savePersistentPaths();
  const names::AlertText done = names::importedAlert(_names.rowCount());
  _dialogs->alert(text(done.title), text(done.message));
}

void VantrelAppDelegate::exportGrid() {
  if (_names.isEmpty()) {
    const names::AlertText empty = names::nothingToExportAlert();
    showAlert(text(empty.title), text(empty.message));
    return;
  }
  QString path =
      _dialogs->chooseSaveFile(QStringLiteral("Export List"), text(names::kExportFileName));
  if (path.isEmpty()) return;
  // The save panel only allows csv files.
  if (QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
    path += QStringLiteral(".csv");
  }
  if (!names::GridStore::writeGridToPath(localPath(path), _names.rows(),
                                         names::GridColumns::NameAndNote)) {
    const names::AlertText failed = names::exportFailedAlert();
    showAlert(text(failed.title), text(failed.message));
    return;
  }
  setStatus(text(names::exportedStatus(_names.rowCount(), utf8(QFileInfo(path).fileName()))),
            kGood);
}

bool VantrelAppDelegate::importDroppedCSVPaths(const QStringList& paths) {
  const auto files = readDroppedRosters(paths, *_dialogs);
  if (files.empty()) return false;
  names::DropChoice choice = names::DropChoice::Add;
  if (!_names.isEmpty()) {
    const int answer = ask(*_dialogs, names::dropChoiceQuestion(_names.rowCount()));
    if (answer == 1) {
      choice = names::DropChoice::Replace;
    } else if (answer != 0) {
      return false;
    }
  }
  const names::DropImportResult result = _names.importDroppedNames(files, choice);
  if (!result.changed()) return true;
  _gridStore->saveIfChanged(_names);
  afterRowMutationSelect(_names.selectedRow());
  setStatus(text(names::droppedNamesStatus(result)), kGood);
  return true;
}

bool VantrelAppDelegate::appendDroppedCSVPaths(const QStringList& paths) {
  const auto files = readDroppedRosters(paths, *_dialogs);
  const qint64 firstAdded = _names.rowCount();
  std::int64_t added = 0;
  for (const auto& file : files) added += _names.appendFirstColumn(file);
  if (added == 0) return false;
  afterRowMutationSelect(firstAdded);
  setStatus(text(names::droppedNamesStatus({added, false})), kGood);
  return true;
}

void VantrelAppDelegate::afterRowMutationSelect(qint64 row) {
  updateAutoWatch();
  _names.selectAfterRowMutation(row);
  if (_searchField) _searchField->clear();
  _gridStore->saveIfChanged(_names);
  savePersistentPaths();
  reloadTable(true);
  updatePathLabels();
  updateControls();
}

// --- Search, filter and sort ---

void VantrelAppDelegate::searchTextEdited(const QString& searchText) {
  _names.setSearchText(utf8(searchText));
  reloadTable();
}

void VantrelAppDelegate::addSearchAsCSVRow() {
  const names::ModelRow row = _names.addSearchTextAsRow();
  if (row == names::kNoRow) {
    const names::AlertText nothing = names::nothingToAddAlert();
    showAlert(text(nothing.title), text(nothing.message));
    return;
  }
  reloadTable(true);
  _gridStore->saveIfChanged(_names);
  savePersistentPaths();
  // The first name may be what watching waited for.
  updateAutoWatch();
  setStatus(text(names::addedAndSelectedStatus(_names.nameForModelRow(row))), kGood);
  updateControls();
}

void VantrelAppDelegate::clearSearch() {
  if (_searchField) _searchField->clear();
  _names.setSearchText({});
  reloadTable(true);
}

void VantrelAppDelegate::cycleCaptureFilter() {
  const names::CaptureFilter filter = _names.cycleCaptureFilter();
  updateFilterButton();
  setStatus(text(names::captureFilterStatus(filter)), kNeutral);
  reloadTable(true);
}

void VantrelAppDelegate::updateFilterButton() {
  if (!_filterButton) return;
  const names::CaptureFilter filter = _names.display().captureFilter();
  styleButton(_filterButton, text(names::captureFilterTitle(filter)),
              filter == names::CaptureFilter::All ? palette::gray() : palette::blue(), true);
}

void VantrelAppDelegate::nameHeaderClicked(int column) {
  if (column != NamesTableModel::NameColumn) return;
  const names::SortMode mode = _names.cycleSortMode();
  updateNameColumnCount();
  setStatus(text(names::sortStatus(mode)), kNeutral);
  reloadTable(true);
}

// --- Clipboard ---

void VantrelAppDelegate::performEditCommand(EditCommand command) {
  if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
    switch (command) {
      case EditCommand::Undo:
        field->undo();
        break;
      case EditCommand::Redo:
        field->redo();
        break;
      case EditCommand::Cut:
        field->cut();
        break;
      case EditCommand::Copy:
        field->copy();
        break;
      case EditCommand::Paste:
        field->paste();
        break;
      case EditCommand::SelectAll:
        field->selectAll();
        break;
    }
    return;
  }
  switch (command) {
    case EditCommand::Copy:
      copy();
      return;
    case EditCommand::Paste:
      paste();
      return;
    case EditCommand::SelectAll:
      if (_table && _table->hasFocus()) {
        _table->selectAll();
        return;
      }
      break;
    case EditCommand::Undo:
    case EditCommand::Redo:
    case EditCommand::Cut:
      break;
  }
  QApplication::beep();
}

void VantrelAppDelegate::copy() {
  const std::optional<std::string> row = _names.copyTextForModelRow(currentTableModelRow());
  if (!row) {
    QApplication::beep();
    return;
  }
  QGuiApplication::clipboard()->setText(text(*row));
  setStatus(text(names::rowCopiedStatus()), kGood);
}

void VantrelAppDelegate::paste() {
  const QString clip = QGuiApplication::clipboard()->text();
  if (clip.isEmpty()) {
    QApplication::beep();
    return;
  }
  const std::int64_t added = _names.pasteText(utf8(clip));
  if (added == 0) {
    const names::AlertText nothing = names::nothingToPasteAlert();
    showAlert(text(nothing.title), text(nothing.message));
    return;
  }
  if (_searchField) _searchField->clear();
  reloadTable(true);
  _gridStore->saveIfChanged(_names);
  savePersistentPaths();
  updateAutoWatch();
  setStatus(text(names::pastedStatus(added)), kGood);
}

// --- Row menu ---

void VantrelAppDelegate::showRowContextMenu(int displayRow, const QPoint& globalPos) {
  if (!_rowMenu) return;
  _contextClickedDisplayRow = displayRow;
  // The folder items need someone to carry them out.
  const bool folderActions =
      isSignalConnected(QMetaMethod::fromSignal(&VantrelAppDelegate::rowFolderActionRequested));
  _rowRenameFolderItem->setEnabled(folderActions);
  _rowOpenFolderItem->setEnabled(folderActions);
  _rowMenu->popup(globalPos);
}

qint64 VantrelAppDelegate::contextTargetModelRow() const {
  if (_contextClickedDisplayRow >= 0) {
    const qint64 row = _names.modelRowForDisplayRow(_contextClickedDisplayRow);
    return _names.isValidRow(row) ? row : names::kNoRow;
  }
  return currentTableModelRow();
}

void VantrelAppDelegate::ctxInsertAbove() {
  const names::ModelRow row = _names.insertRowAbove(contextTargetModelRow());
  if (row != names::kNoRow) afterRowMutationSelect(row);
}

void VantrelAppDelegate::ctxInsertBelow() {
  const names::ModelRow row = _names.insertRowBelow(contextTargetModelRow());
  if (row != names::kNoRow) afterRowMutationSelect(row);
}

void VantrelAppDelegate::ctxDeleteRow() {
  if (_names.deleteRow(contextTargetModelRow())) afterRowMutationSelect(_names.selectedRow());
}

void VantrelAppDelegate::ctxEditNote() {
  const qint64 row = contextTargetModelRow();
  if (!_names.isValidRow(row) || _names.rows()[static_cast<std::size_t>(row)].empty()) return;
  const names::AlertText dialog = names::noteDialog(_names.nameForModelRow(row));
  const std::optional<QString> note =
      _dialogs->prompt(text(dialog.title), text(dialog.message), text(_names.noteForModelRow(row)),
                       text(dialog.buttons.front()));
  if (!note || !_names.saveNoteFromDialog(row, utf8(*note))) return;
  _gridStore->saveIfChanged(_names);
  // Shown at once, as typing in the note field would.
  _tableModel->modelRowChanged(row);
  if (row == _names.selectedRow()) syncNoteFieldToSelection();
}

void VantrelAppDelegate::ctxToggleMarker() {
  toggleMarkerForModelRow(contextTargetModelRow());
}

void VantrelAppDelegate::toggleMarkerForModelRow(qint64 row) {
  if (!_names.isValidRow(row)) return;
  _names.toggleMarkerForModelRow(row);
  _gridStore->saveIfChanged(_names);
  _tableModel->modelRowChanged(row);
}

// --- Note field ---

void VantrelAppDelegate::syncNoteFieldToSelection() {
  if (!_noteField) return;
  if (selectedRowCount(_table) >= 2) {
    _noteField->clear();
    _noteField->setEnabled(false);
    _noteField->setPlaceholderText(text(names::multipleRowsNotePlaceholder()));
    if (_noteIndicator) _noteIndicator->setVisible(false);
    return;
  }
  const qint64 row = _names.selectedRow();
  if (!_names.isValidRow(row)) {
    _noteField->clear();
    _noteField->setEnabled(false);
    _noteField->setPlaceholderText(text(names::noSelectionNotePlaceholder()));
    refreshNoteIndicator();
    return;
  }
  _noteField->setEnabled(true);
  _noteField->setPlaceholderText(text(names::notePlaceholder(_names.nameForModelRow(row))));
  // Left alone when equal, so that a reload while the operator types keeps the cursor.
  const QString note = text(_names.noteForModelRow(row));
  if (_noteField->text() != note) _noteField->setText(note);
  refreshNoteIndicator();
}

void VantrelAppDelegate::refreshNoteIndicator() {
  if (!_noteIndicator) return;
  const QString note = text(_names.noteForModelRow(_names.selectedRow()));
  _noteIndicator->setToolTip(note);
  _noteIndicator->setVisible(!note.isEmpty());
}

void VantrelAppDelegate::focusNoteField() {
  if (_noteField && _noteField->isEnabled()) _noteField->setFocus(Qt::OtherFocusReason);
}

void VantrelAppDelegate::noteTextEdited(const QString& note) {
  const qint64 row = _names.selectedRow();
  if (!_names.setNote(row, utf8(note))) return;
  _gridStore->saveIfChanged(_names);
  refreshNoteIndicator();
  _tableModel->modelRowChanged(row);
}

void VantrelAppDelegate::tableNameEdited(qint64, bool accepted) {
  if (!accepted) return;
  _gridStore->saveIfChanged(_names);
  // After the editor has closed: the new name may move or hide the row.
  QTimer::singleShot(0, this, [this] {
    reloadTable();
    updatePathLabels();
  });
}

// --- Drags ---

QMimeData* VantrelAppDelegate::rowDragMimeData(int displayRow) const {
  const qint64 row = _names.modelRowForDisplayRow(displayRow);
  if (!_names.isValidRow(row)) return nullptr;
  auto* data = new QMimeData;
  data->setData(kRowReorderType, QByteArray::number(row));
  return data;
}

Qt::DropAction VantrelAppDelegate::validateTableDrop(const QMimeData* data, int row, bool onto) {
  if (!data) return Qt::IgnoreAction;
  if (!data->hasFormat(kRowReorderType)) {
    return droppedRosterFiles(data).isEmpty() ? Qt::IgnoreAction : Qt::CopyAction;
  }
  if (onto) {
    return _names.canDropRowOnto(draggedModelRow(data), _names.modelRowForDisplayRow(row))
               ? Qt::CopyAction
               : Qt::IgnoreAction;
  }
  if (_names.display().canReorderRows()) return Qt::MoveAction;
  // Said while hovering: a refused drop never arrives.
  const QString refused = text(names::reorderNotAllowedStatus());
  if (_lastFriendlyStatus != refused) setStatus(refused, kNeutral);
  return Qt::IgnoreAction;
}

bool VantrelAppDelegate::acceptTableDrop(const QMimeData* data, int row, bool onto) {
  if (!data) return false;
  if (!data->hasFormat(kRowReorderType)) {
    const QStringList paths = droppedRosterFiles(data);
    if (paths.isEmpty()) return false;
    // The add-or-replace question waits until the drop has finished.
    QTimer::singleShot(0, this, [this, paths] { importDroppedCSVPaths(paths); });
    return true;
  }
  const qint64 source = draggedModelRow(data);
  if (onto) {
    const qint64 target = _names.modelRowForDisplayRow(row);
    if (!_names.canDropRowOnto(source, target)) return false;
    if (!isSignalConnected(QMetaMethod::fromSignal(&VantrelAppDelegate::rowDroppedOnRow))) {
      setStatus(kMoveNotAvailableStatus, kNeutral);
      return false;
    }
    // The move dialog opens after the drop has finished.
    QTimer::singleShot(0, this, [this, source, target] { emit rowDroppedOnRow(source, target); });
    return true;
  }
  switch (_names.reorderByDrop(source, row)) {
    case names::ReorderOutcome::NotAllowed:
      setStatus(text(names::reorderNotAllowedStatus()), kNeutral);
      return false;
    case names::ReorderOutcome::Refused:
      return false;
    case names::ReorderOutcome::Unchanged:
      return true;
    case names::ReorderOutcome::Moved:
      break;
  }
  _gridStore->saveIfChanged(_names);
  savePersistentPaths();
  reloadTable(true);
  return true;
}

// --- Reset ---

void VantrelAppDelegate::resetWorkflow() {
  if (_camera.watching) {
    const names::AlertText stop = names::stopWatchingFirstAlert();
    showAlert(text(stop.title), text(stop.message));
    return;
  }
  if (ask(*_dialogs, names::resetQuestion()) != 0) return;
  _csvPath.clear();
  _targetDir.clear();
  _names.reset();
  _gridStore->discard(_names);
  updateFilterButton();
  reloadTable();
  if (_table) _table->clearSelection();
  if (_searchField) _searchField->clear();
  turnAllSuffixesOff();
  // Through the destination control, so that a connected camera is told as well.
  selectDestination(0);
  setCounterText(QStringLiteral("1"));
  for (const QString& key : settings_keys::kWorkflowKeys) _defaults->remove(key);
  _defaults->flush();
  refreshSettingsPaths();
  updatePathLabels();
  updateStorageLabel();
  updateAutoWatch();
  setStatus(text(names::resetCompleteStatus()), kNeutral);
}
