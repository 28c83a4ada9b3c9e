// The names table's view of the list: the displayed rows, their cells and colours, and after
// the three columns of the list, read-only columns for the fields the operator chose to show.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "names_list.h"

class NamesTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { MarkerColumn = 0, NameColumn = 1, CountColumn = 2, FirstFieldColumn = 3 };

  explicit NamesTableModel(vantrel::names::NamesList& names, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The list changed: rows, order or cells.
  void reload();
  // One row's cells changed (note, marker); nothing when the row is not shown.
  void modelRowChanged(qint64 modelRow);
  void setNameTitle(const QString& title);
  // Marks which rows the view shows selected (drawn white).
  void setSelectedModelRows(const QSet<qint64>& rows);
  // The fields to show as columns, by name; those the list has are shown, in the list's order,
  // from the next reload on.
  void setShownFieldNames(const QStringList& fields);
  // The fields shown now, as the list names them.
  QStringList shownFields() const;
  // Photos per person (0: none): the count of everyone who has reached it is highlighted.
  void setPhotoLimit(qint64 limit);

 signals:
  // An in-place edit of a name was stored (or refused).
  void nameEdited(qint64 modelRow, bool accepted);

 private:
  vantrel::names::NamesList& names_;
  QString nameTitle_ = QStringLiteral("Name");
  QVariant fieldData(qint64 row, int column, int role) const;
  // Finds the shown fields' positions in the list again (its fields change with an import).
  void resolveShownFields();

  QSet<qint64> selected_;
  QStringList wantedFields_;
  std::vector<std::size_t> shownFields_;  // positions in the list's field names
  qint64 photoLimit_ = 0;
};
