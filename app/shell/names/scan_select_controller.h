// Scan to select: Enter in the search field selects the one person whose name, note or any
// field equals what was typed (a barcode scanner types a code and Enter), then clears the search
// for the next scan. Printable keys typed while the table has focus go to the search field, and
// Ctrl+F focuses it.
#pragma once

#include <QObject>
#include <QPointer>

class NamesController;
class QLineEdit;
class QTableView;
class StatusController;

class ScanSelectController : public QObject {
  Q_OBJECT
 public:
  ScanSelectController(NamesController* names, StatusController* status, QObject* parent = nullptr);

  // `shortcutHost` is the window that owns Ctrl+F.
  void attach(QLineEdit* searchField, QTableView* table, QWidget* shortcutHost);
  // Selects the person `code` names; false (the search kept, an orange status and a beep) for
  // nobody or several.
  bool selectScanned(const QString& code);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  NamesController* _names;
  StatusController* _status;
  QPointer<QLineEdit> _searchField;
  // Compared as a plain object: the filter also sees the events of a table being destroyed.
  QPointer<QObject> _table;
};
