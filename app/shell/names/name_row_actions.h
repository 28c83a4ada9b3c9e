// Editing the list row by row: the Edit menu's commands on the list, the row menu, the note field
// and its indicator, in-place name edits, and drags inside the table (reordering, or a row
// dropped onto another to move its photos).
#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class NamesController;
class QAction;
class QLineEdit;
class QMenu;
class QMimeData;
class QPoint;
class QPushButton;
class StatusController;

struct RowEditViews {
  QLineEdit* noteField = nullptr;
  QPushButton* noteIndicator = nullptr;
  QMenu* rowMenu = nullptr;
  QAction* renameFolderItem = nullptr;
  QAction* openFolderItem = nullptr;
};

class NameRowActions : public QObject {
  Q_OBJECT
 public:
  NameRowActions(NamesController* names, StatusController* status, Dialogs* dialogs,
                 QObject* parent = nullptr);

  void attach(const RowEditViews& views);

  // The Edit menu: a focused text field edits itself; anywhere else copy and paste work on the
  // list.
  enum class EditCommand { Undo, Redo, Cut, Copy, Paste, SelectAll };
  void performEditCommand(EditCommand command);
  void copy();
  void paste();

  // The row menu, for the clicked display row (-1: below the rows, or from the keyboard).
  void showRowContextMenu(int displayRow, const QPoint& globalPos);
  qint64 contextTargetModelRow() const;
  void ctxInsertAbove();
  void ctxInsertBelow();
  void ctxDeleteRow();
  void ctxEditNote();
  void ctxToggleMarker();
  void requestFolderAction(const QString& action);
  // The marker column's click and the row menu's "Mark Segment Start".
  void toggleMarkerForModelRow(qint64 row);

  // The note field and its indicator follow the current person.
  void syncNoteFieldToSelection();
  void refreshNoteIndicator();
  void focusNoteField();
  void noteTextEdited(const QString& text);
  // An in-place edit of a name was stored (or refused, keeping the old name).
  void tableNameEdited(qint64 row, bool accepted);

  QMimeData* rowDragMimeData(int displayRow) const;
  Qt::DropAction validateTableDrop(const QMimeData* data, int row, bool onto);
  bool acceptTableDrop(const QMimeData* data, int row, bool onto);

 signals:
  // The row menu asks for "rename" (Rename Folder & Images…) or "open" (Open Folder…).
  void rowFolderActionRequested(QString action, qint64 row);
  // One row was dropped onto another.
  void rowDroppedOnRow(qint64 source, qint64 target);

 private:
  NamesController* _names;
  StatusController* _status;
  Dialogs* _dialogs;
  RowEditViews _views;
  // The display row the row menu was opened on; -1 when none.
  int _contextClickedDisplayRow = -1;
};
