// The names table's header menu: which of the list's fields (class, ID, teacher, ...) show as
// extra read-only columns. The choice is remembered by field name, so the next roster with the
// same columns shows them again.
#pragma once

#include <QObject>
#include <QStringList>

#include "names_list.h"

class NamesTableModel;
class QMenu;
class QPoint;
class QTableView;
class UserDefaults;

class FieldColumnsMenu : public QObject {
  Q_OBJECT
 public:
  FieldColumnsMenu(NamesTableModel* model, const vantrel::names::NamesList& names,
                   UserDefaults* defaults, QObject* parent = nullptr);

  // Opens the menu on a right-click of the table's column titles; shows the remembered fields.
  void attach(QTableView* table);
  void showHeaderMenu(const QPoint& globalPos);
  void setFieldShown(const QString& field, bool shown);

 signals:
  // The table needs reloading to show the chosen columns.
  void shownFieldsChanged();

 private:
  NamesTableModel* _model;
  const vantrel::names::NamesList& _names;
  UserDefaults* _defaults;
  QMenu* _menu = nullptr;
};
