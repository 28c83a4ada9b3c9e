#include "name_row_actions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

#include "dialogs.h"
#include "dropped_roster_files.h"
#include "names_controller.h"
#include "names_messages.h"
#include "status_controller.h"
#include "utf8_text.h"

namespace names = vantrel::names;

namespace {

const QString kRowReorderType = QStringLiteral("com.vantrel.tether.row-reorder");
const QString kGood = QStringLiteral("good");
const QString kNeutral = QStringLiteral("neutral");
// Shown while nothing answers a row dropped onto another.
const QString kMoveNotAvailableStatus =
    QStringLiteral("Moving photos between names is not available.");

// The model row a row drag carries; -1 for anything unreadable.
qint64 draggedModelRow(const QMimeData* data) {
  bool ok = false;
  const qint64 row = data->data(kRowReorderType).trimmed().toLongLong(&ok);
  return ok ? row : names::kNoRow;
}

void editField(QLineEdit* field, NameRowActions::EditCommand command) {
  using EditCommand = NameRowActions::EditCommand;
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
}

}  // namespace

NameRowActions::NameRowActions(NamesController* names, StatusController* status, Dialogs* dialogs,
                               QObject* parent)
    : QObject(parent), _names(names), _status(status), _dialogs(dialogs) {
  connect(_names, &NamesController::selectionChanged, this, [this] { syncNoteFieldToSelection(); });
  connect(_names, &NamesController::markerClicked, this,
          [this](qint64 row) { toggleMarkerForModelRow(row); });
}

void NameRowActions::attach(const RowEditViews& views) {
  _views = views;
  syncNoteFieldToSelection();
}

// --- Clipboard ---

void NameRowActions::performEditCommand(EditCommand command) {
  if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
    editField(field, command);
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
      if (_names->selectAllRowsIfFocused()) return;
      break;
    case EditCommand::Undo:
    case EditCommand::Redo:
    case EditCommand::Cut:
      break;
  }
  QApplication::beep();
}

void NameRowActions::copy() {
  const std::optional<std::string> row =
      _names->names().copyTextForModelRow(_names->currentTableModelRow());
  if (!row) {
    QApplication::beep();
    return;
  }
  QGuiApplication::clipboard()->setText(utf8Text(*row));
  _status->setStatus(utf8Text(names::rowCopiedStatus()), kGood);
}

void NameRowActions::paste() {
  const QString clip = QGuiApplication::clipboard()->text();
  if (clip.isEmpty()) {
    QApplication::beep();
    return;
  }
  const std::int64_t added = _names->names().pasteText(clip.toStdString());
  if (added == 0) {
    const names::AlertText nothing = names::nothingToPasteAlert();
    _status->showAlert(utf8Text(nothing.title), utf8Text(nothing.message));
    return;
  }
  _names->namesPasted();
  _status->setStatus(utf8Text(names::pastedStatus(added)), kGood);
}

// --- Row menu ---

void NameRowActions::showRowContextMenu(int displayRow, const QPoint& globalPos) {
  if (!_views.rowMenu) return;
  _contextClickedDisplayRow = displayRow;
  // The folder items need someone to carry them out.
  const bool folderActions =
      isSignalConnected(QMetaMethod::fromSignal(&NameRowActions::rowFolderActionRequested));
  if (_views.renameFolderItem) _views.renameFolderItem->setEnabled(folderActions);
  if (_views.openFolderItem) _views.openFolderItem->setEnabled(folderActions);
  _views.rowMenu->popup(globalPos);
}

qint64 NameRowActions::contextTargetModelRow() const {
  if (_contextClickedDisplayRow >= 0) {
    const qint64 row = _names->names().modelRowForDisplayRow(_contextClickedDisplayRow);
    return _names->names().isValidRow(row) ? row : names::kNoRow;
  }
  return _names->currentTableModelRow();
}

void NameRowActions::ctxInsertAbove() {
  const names::ModelRow row = _names->names().insertRowAbove(contextTargetModelRow());
  if (row != names::kNoRow) _names->afterRowMutationSelect(row);
}

void NameRowActions::ctxInsertBelow() {
  const names::ModelRow row = _names->names().insertRowBelow(contextTargetModelRow());
  if (row != names::kNoRow) _names->afterRowMutationSelect(row);
}

void NameRowActions::ctxDeleteRow() {
  if (_names->names().deleteRow(contextTargetModelRow())) {
    _names->afterRowMutationSelect(_names->names().selectedRow());
  }
}

void NameRowActions::ctxEditNote() {
  names::NamesList& list = _names->names();
  const qint64 row = contextTargetModelRow();
  if (!list.isValidRow(row) || list.rows()[static_cast<std::size_t>(row)].empty()) return;
  const names::AlertText dialog = names::noteDialog(list.nameForModelRow(row));
  const std::optional<QString> note =
      _dialogs->prompt(utf8Text(dialog.title), utf8Text(dialog.message),
                       utf8Text(list.noteForModelRow(row)), utf8Text(dialog.buttons.front()));
  if (!note || !list.saveNoteFromDialog(row, note->toStdString())) return;
  _names->storeIfChanged();
  // Shown at once, as typing in the note field would.
  _names->rowChanged(row);
  if (row == list.selectedRow()) syncNoteFieldToSelection();
}

void NameRowActions::ctxToggleMarker() {
  toggleMarkerForModelRow(contextTargetModelRow());
}

void NameRowActions::requestFolderAction(const QString& action) {
  emit rowFolderActionRequested(action, contextTargetModelRow());
}

void NameRowActions::toggleMarkerForModelRow(qint64 row) {
  if (!_names->names().isValidRow(row)) return;
  _names->names().toggleMarkerForModelRow(row);
  _names->storeIfChanged();
  _names->rowChanged(row);
}

// --- Note field ---

void NameRowActions::syncNoteFieldToSelection() {
  QLineEdit* field = _views.noteField;
  if (!field) return;
  const names::NamesList& list = _names->names();
  if (_names->selectedRowCount() >= 2) {
    field->clear();
    field->setEnabled(false);
    field->setPlaceholderText(utf8Text(names::multipleRowsNotePlaceholder()));
    if (_views.noteIndicator) _views.noteIndicator->setVisible(false);
    return;
  }
  const qint64 row = list.selectedRow();
  if (!list.isValidRow(row)) {
    field->clear();
    field->setEnabled(false);
    field->setPlaceholderText(utf8Text(names::noSelectionNotePlaceholder()));
    refreshNoteIndicator();
    return;
  }
  field->setEnabled(true);
  field->setPlaceholderText(utf8Text(names::notePlaceholder(list.nameForModelRow(row))));
  // Left alone when equal, so that a reload while the operator types keeps the cursor.
  const QString note = utf8Text(list.noteForModelRow(row));
  if (field->text() != note) field->setText(note);
  refreshNoteIndicator();
}

void NameRowActions::refreshNoteIndicator() {
  if (!_views.noteIndicator) return;
  const names::NamesList& list = _names->names();
  const QString note = utf8Text(list.noteForModelRow(list.selectedRow()));
  _views.noteIndicator->setToolTip(note);
  _views.noteIndicator->setVisible(!note.isEmpty());
}

void NameRowActions::focusNoteField() {
  if (_views.noteField && _views.noteField->isEnabled()) {
    _views.noteField->setFocus(Qt::OtherFocusReason);
  }
}

void NameRowActions::noteTextEdited(const QString& note) {
  const qint64 row = _names->names().selectedRow();
  if (!_names->names().setNote(row, note.toStdString())) return;
  _names->storeIfChanged();
  refreshNoteIndicator();
  _names->rowChanged(row);
}

void NameRowActions::tableNameEdited(qint64, bool accepted) {
  if (!accepted) return;
  _names->storeIfChanged();
  // After the editor has closed: the new name may move or hide the row.
  QTimer::singleShot(0, this, [this] {
    _names->reloadTable();
    _names->updateNameColumnCount();
  });
}

// --- Drags ---

QMimeData* NameRowActions::rowDragMimeData(int displayRow) const {
  const qint64 row = _names->names().modelRowForDisplayRow(displayRow);
  if (!_names->names().isValidRow(row)) return nullptr;
  auto* data = new QMimeData;
  data->setData(kRowReorderType, QByteArray::number(row));
  return data;
}

Qt::DropAction NameRowActions::validateTableDrop(const QMimeData* data, int row, bool onto) {
  if (!data) return Qt::IgnoreAction;
  if (!data->hasFormat(kRowReorderType)) {
    return droppedRosterFiles(data).isEmpty() ? Qt::IgnoreAction : Qt::CopyAction;
  }
  const names::NamesList& list = _names->names();
  if (onto) {
    return list.canDropRowOnto(draggedModelRow(data), list.modelRowForDisplayRow(row))
               ? Qt::CopyAction
               : Qt::IgnoreAction;
  }
  if (list.display().canReorderRows()) return Qt::MoveAction;
  // Said while hovering: a refused drop never arrives.
  const QString refused = utf8Text(names::reorderNotAllowedStatus());
  if (_status->lastFriendlyStatus() != refused) _status->setStatus(refused, kNeutral);
  return Qt::IgnoreAction;
}

bool NameRowActions::acceptTableDrop(const QMimeData* data, int row, bool onto) {
  if (!data) return false;
  if (!data->hasFormat(kRowReorderType)) {
    const QStringList paths = droppedRosterFiles(data);
    if (paths.isEmpty()) return false;
    // The add-or-replace question waits until the drop has finished.
    QTimer::singleShot(0, _names, [names = _names, paths] { names->importDroppedCSVPaths(paths); });
    return true;
  }
  names::NamesList& list = _names->names();
  const qint64 source = draggedModelRow(data);
  if (onto) {
    const qint64 target = list.modelRowForDisplayRow(row);
    if (!list.canDropRowOnto(source, target)) return false;
    if (!isSignalConnected(QMetaMethod::fromSignal(&NameRowActions::rowDroppedOnRow))) {
      _status->setStatus(kMoveNotAvailableStatus, kNeutral);
      return false;
    }
    // The move dialog opens after the drop has finished.
    QTimer::singleShot(0, this, [this, source, target] { emit rowDroppedOnRow(source, target); });
    return true;
  }
  switch (list.reorderByDrop(source, row)) {
    case names::ReorderOutcome::NotAllowed:
      _status->setStatus(utf8Text(names::reorderNotAllowedStatus()), kNeutral);
      return false;
    case names::ReorderOutcome::Refused:
      return false;
    case names::ReorderOutcome::Unchanged:
      return true;
    case names::ReorderOutcome::Moved:
      break;
  }
  _names->storeIfChanged();
  _names->saveSelection();
  _names->reloadTable(true);
  return true;
}
