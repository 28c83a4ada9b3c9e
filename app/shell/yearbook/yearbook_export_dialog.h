// The yearbook package's settings: volume name, portrait size, where it goes, the studio's
// notice, where the crop sits, and which of the list's fields fills each index column. The
// guess made from the field names is what the dialog opens with, in plain sight.
#pragma once

#include <QDialog>
#include <QList>

#include "yearbook_export_request.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class YearbookExportDialog : public QDialog {
  Q_OBJECT
 public:
  explicit YearbookExportDialog(const YearbookExportRequest& request, QWidget* parent = nullptr);

  YearbookExportAnswer answer() const;

 private:
  struct ColumnRow {
    vantrel::yearbook::PspaColumn column;
    QComboBox* source = nullptr;
    QLineEdit* fixedText = nullptr;
  };

  QWidget* buildMapping(const YearbookExportRequest& request);
  vantrel::yearbook::ColumnSource sourceOf(const ColumnRow& row) const;
  // The Export button is available only with a usable volume name and a folder.
  void validate();

  QStringList _fieldNames;
  QLineEdit* _volume = nullptr;
  QLabel* _volumeProblem = nullptr;
  QComboBox* _size = nullptr;
  QLineEdit* _folder = nullptr;
  QLineEdit* _copyright = nullptr;
  QSpinBox* _headroom = nullptr;
  QCheckBox* _replace = nullptr;
  QCheckBox* _requireAll = nullptr;
  QPushButton* _export = nullptr;
  QList<ColumnRow> _columns;
};
