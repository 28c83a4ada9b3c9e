#include "names_table_model.h"

#include <QFont>
#include <QSet>

#include "field_names.h"
#include "palette.h"
#include "photo_limit.h"
#include "utf8_text.h"

NamesTableModel::NamesTableModel(vantrel::names::NamesList& names, QObject* parent)
    : QAbstractTableModel(parent), names_(names) {}

int NamesTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(names_.display().displayRowCount());
}

int NamesTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : FirstFieldColumn + static_cast<int>(shownFields_.size());
}

QVariant NamesTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const qint64 row = names_.modelRowForDisplayRow(index.row());
  if (!names_.isValidRow(row)) return {};
  if (index.column() >= FirstFieldColumn) return fieldData(row, index.column(), role);
  const qint64 count = names_.capturedForModelRow(row);
  const QString note = QString::fromStdString(std::string(names_.noteForModelRow(row)));
  const bool selected = selected_.contains(row);
  const bool countAtLimit =
      index.column() == CountColumn && vantrel::guards::reachedPhotoLimit(count, photoLimit_);
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      switch (index.column()) {
        case MarkerColumn: {
          QString text = names_.markerForModelRow(row) ? QStringLiteral("🚩") : QString();
          if (!note.isEmpty()) text += QStringLiteral("📝");
          return text;
        }
        case NameColumn:
          return QString::fromStdString(std::string(names_.nameForModelRow(row)));
        case CountColumn:
          return count > 0 ? QString::number(count) : QString();
      }
      return {};
    case Qt::ToolTipRole:
      if (index.column() != CountColumn && !note.isEmpty()) return QStringLiteral("📝 ") + note;
      return {};
    case Qt::TextAlignmentRole:
      return index.column() == NameColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                          : QVariant(Qt::AlignCenter);
    case Qt::BackgroundRole:
      return countAtLimit ? QVariant(palette::orange()) : QVariant();
    case Qt::ForegroundRole:
      if (selected || countAtLimit) return QColor(Qt::white);
      if (index.column() == CountColumn) return palette::brand();
      if (index.column() == NameColumn) {
        if (names_.hasDuplicateName(row)) return palette::red();
        return count > 0 ? palette::green() : palette::primaryText();
      }
      return {};
    case Qt::FontRole: {
      QFont font;
      font.setPixelSize(index.column() == CountColumn ? 12 : 13);
      font.setBold(index.column() == CountColumn || (index.column() == NameColumn && count > 0 &&
                                                     (selected || !names_.hasDuplicateName(row))));
      return font;
    }
    default:
      return {};
  }
}

QVariant NamesTableModel::fieldData(qint64 row, int column, int role) const {
  const std::size_t field = shownFields_.at(static_cast<std::size_t>(column - FirstFieldColumn));
  switch (role) {
    case Qt::DisplayRole:
      return utf8Text(names_.fieldValue(row, field));
    case Qt::TextAlignmentRole:
      return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
      return selected_.contains(row) ? QColor(Qt::white) : palette::secondaryLabel();
    case Qt::FontRole: {
      // Asked for every painted cell: made once.
      static const QFont font = [] {
        QFont small;
        small.setPixelSize(12);
        return small;
      }();
      return font;
    }
    default:
      return {};
  }
}

QVariant NamesTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (section >= FirstFieldColumn && section < columnCount()) {
    const std::size_t field = shownFields_[static_cast<std::size_t>(section - FirstFieldColumn)];
    // Until the next reload the list may have other fields than the columns.
    if (field >= names_.fieldNames().size()) return {};
    const QString name = utf8Text(names_.fieldNames()[field]);
    if (role == Qt::DisplayRole) return name;
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole) {
      return QStringLiteral(
                 "“%1” from the imported list. Right-click the column titles to choose the "
                 "columns shown.")
          .arg(name);
    }
    return {};
  }
  if (role == Qt::TextAlignmentRole) {
    return section == NameColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                 : QVariant(Qt::AlignCenter);
  }
  if (role == Qt::DisplayRole) {
    switch (section) {
      case MarkerColumn:
        return QStringLiteral("🚩");
      case NameColumn:
        return nameTitle_;
      case CountColumn:
        return QStringLiteral("Count");
    }
  }
  if (role == Qt::ToolTipRole) {
    switch (section) {
      case MarkerColumn:
        return QStringLiteral(
            "Segment markers. Click a row's cell to flag where a segment "
            "started.");
      case NameColumn:
        return QStringLiteral(
            "Folder/file name for each person. Green = has photos. Click "
            "header to sort; double-click a row for its settings.");
      case CountColumn:
        return QStringLiteral(
            "Number of photos on disk for this name (all its folders, "
            "including suffix-tagged ones).");
    }
  }
  return {};
}

Qt::ItemFlags NamesTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  // Any cell starts a row drag; the table decides what the drag carries.
  if (index.isValid()) f |= Qt::ItemIsDragEnabled;
  if (index.isValid() && index.column() == NameColumn) f |= Qt::ItemIsEditable;
  return f;
}

bool NamesTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != NameColumn) return false;
  const qint64 row = names_.modelRowForDisplayRow(index.row());
  const bool accepted = names_.setNameFromEdit(row, value.toString().toStdString());
  if (accepted) emit dataChanged(index, index);
  emit nameEdited(row, accepted);
  return accepted;
}

void NamesTableModel::reload() {
  beginResetModel();
  resolveShownFields();
  endResetModel();
}

void NamesTableModel::modelRowChanged(qint64 modelRow) {
  const qint64 display = names_.displayRowForModelRow(modelRow);
  if (display < 0) return;
  emit dataChanged(index(static_cast<int>(display), 0),
                   index(static_cast<int>(display), columnCount() - 1));
}

void NamesTableModel::setNameTitle(const QString& title) {
  if (title == nameTitle_) return;
  nameTitle_ = title;
  emit headerDataChanged(Qt::Horizontal, NameColumn, NameColumn);
}

void NamesTableModel::setPhotoLimit(qint64 limit) {
  if (limit == photoLimit_) return;
  photoLimit_ = limit;
  if (rowCount() > 0) emit dataChanged(index(0, CountColumn), index(rowCount() - 1, CountColumn));
}

void NamesTableModel::setSelectedModelRows(const QSet<qint64>& rows) {
  if (rows == selected_) return;
  selected_ = rows;
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void NamesTableModel::setShownFieldNames(const QStringList& fields) {
  wantedFields_ = fields;
}

QStringList NamesTableModel::shownFields() const {
  QStringList fields;
  for (std::size_t field : shownFields_) {
    if (field < names_.fieldNames().size()) fields << utf8Text(names_.fieldNames()[field]);
  }
  return fields;
}

void NamesTableModel::resolveShownFields() {
  shownFields_.clear();
  const auto& fieldNames = names_.fieldNames();
  for (std::size_t field = 0; field < fieldNames.size(); ++field) {
    for (const QString& wanted : wantedFields_) {
      if (vantrel::names::sameFieldName(fieldNames[field], wanted.toStdString())) {
        shownFields_.push_back(field);
        break;
      }
    }
  }
}
