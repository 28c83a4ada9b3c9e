// The names list: its model and store, import and export, dropped roster files, search, filter
// and sort, and the selection in the table. Row editing (row menu, clipboard, notes, drags) is
// NameRowActions'; the import's questions (preview, duplicate names) are RosterImporter's, and
// the field columns' menu is FieldColumnsMenu's.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "grid_store.h"
#include "names_list.h"

class Dialogs;
class FieldColumnsMenu;
class NamesTableModel;
class RosterImporter;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QStackedWidget;
class QTableView;
class StatusController;
class UserDefaults;

struct NamesViews {
  QTableView* table = nullptr;
  QStackedWidget* tableStack = nullptr;  // the table, or the drop zone of an empty list
  QLineEdit* searchField = nullptr;
  QPushButton* addSearchButton = nullptr;
  QPushButton* clearSearchButton = nullptr;
  QPushButton* filterButton = nullptr;
  QPushButton* exportButton = nullptr;
};

class NamesController : public QObject {
  Q_OBJECT
 public:
  NamesController(const QString& gridStorePath, StatusController* status, Dialogs* dialogs,
                  UserDefaults* defaults, QObject* parent = nullptr);
  ~NamesController() override;

  // The model the table shows; created before the window so that the table can use it.
  NamesTableModel* tableModel() const { return _tableModel; }
  void attach(const NamesViews& views);
  vantrel::names::NamesList& names() { return _names; }
  const vantrel::names::NamesList& names() const { return _names; }
  bool isEmpty() const { return _names.isEmpty(); }
  bool hasValidSelection() const { return _names.isValidRow(_names.selectedRow()); }

  // Settings: the roster file and the selected row.
  void saveSelection();
  // The list as the store (or, without one, the remembered roster file) left it.
  void restoreList();
  void selectSavedOrFirstCSVRow();
  // Asks whether to clear everything for the next job.
  bool confirmReset();
  // The list emptied for the next job; the store and the remembered roster go too.
  void resetList();

  // The list becomes the roster in `path`, read with the choice remembered for its header or the
  // default one (the CSV import without its questions, as at first start).
  bool importFirstColumnFromCSV(const QString& path);
  void loadCSV();
  void exportGrid();
  // Files dropped on the table: asks whether to add or replace, then shows the preview; false
  // when nothing was taken.
  bool importDroppedCSVPaths(const QStringList& paths);
  // Files dropped on the empty-list zone: appended after the preview, without the question.
  bool appendDroppedCSVPaths(const QStringList& paths);
  // The common tail of insertions, deletions and dropped imports.
  void afterRowMutationSelect(qint64 row);
  // A change of the list written to the store.
  void storeIfChanged();
  // Photos moved between rows (a row may have been added): stored, shown, the destination
  // selected.
  void afterPhotosMoved(qint64 destinationRow);
  // Rows pasted into the list: shown unfiltered, stored, and watching told.
  void namesPasted();

  void searchTextEdited(const QString& text);
  void addSearchAsCSVRow();
  void clearSearch();
  void cycleCaptureFilter();
  void updateFilterButton();
  void nameHeaderClicked(int column);

  // Re-filters and redraws the list; the current person stays selected while shown.
  void reloadTable(bool scrollToCurrent = false);
  void tableClicked(const QModelIndex& index);
  void tableSelectionChanged();
  void selectModelRowInTable(qint64 row, bool scroll);
  // Up and down arrows: the next or previous name, even while a text field has focus.
  void moveGridSelectionBy(int step);
  // The person the table shows selected (of several, the one clicked last); -1 for none.
  qint64 currentTableModelRow() const;
  // The row a photo filed now is counted against.
  qint64 captureRow() const;
  qint64 selectedRowCount() const;
  // Select All in the table, when it has the focus.
  bool selectAllRowsIfFocused();
  bool showSelectionTotalsIfMultiple();
  void rowChanged(qint64 row);

  // A photo was filed for `row`; counts from the folders on disk.
  void markCaptureForRow(qint64 row);
  void syncCountsFromFolder(const QString& targetDir);

  void updateControls();
  void updateEmptyState();
  void updateNameColumnCount();

 signals:
  // The list or its selection changed: whom a photo is filed under may have changed.
  void selectionChanged();
  // Names were added or removed: watching may start or stop.
  void listChanged();
  void controlsChanged();
  // An in-place toggle of the marker column (its click).
  void markerClicked(qint64 row);

 private:
  // The table, the status and watching after the list became an imported roster.
  void showImportedList(std::int64_t names);
  // Asks about duplicate names among the rows added from `firstImported` on; stores a renaming.
  void offerMakeUnique(qint64 firstImported);

  StatusController* _status;
  Dialogs* _dialogs;
  UserDefaults* _defaults;
  vantrel::names::NamesList _names;
  std::unique_ptr<vantrel::names::GridStore> _gridStore;
  std::unique_ptr<RosterImporter> _importer;
  QString _csvPath;
  NamesTableModel* _tableModel = nullptr;
  FieldColumnsMenu* _fieldColumns = nullptr;
  NamesViews _views;
};
