// The import preview: the first rows of a roster file as a table, and the choice of where the
// names (one column, or first and last name joined) and the notes come from. Every other column
// is kept as a field; the line under the table says what the choice gives.
#pragma once

#include <QDialog>

#include "dialogs.h"
#include "roster_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

class ImportPreviewDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ImportPreviewDialog(const ImportPreviewRequest& request, QWidget* parent = nullptr);

  vantrel::names::RosterChoice choice() const;

  // Rows of the file shown in the table; the result line counts them all.
  static constexpr int kPreviewRows = 12;

 private:
  void fillColumnBoxes();
  // Shows the file and the result for the controls' current choice.
  void showChoice();

  vantrel::names::RosterTable table_;
  QCheckBox* headerBox_ = nullptr;
  QComboBox* joinBox_ = nullptr;
  QLabel* nameLabel_ = nullptr;
  QComboBox* nameBox_ = nullptr;
  QLabel* lastNameLabel_ = nullptr;
  QComboBox* lastNameBox_ = nullptr;
  QComboBox* noteBox_ = nullptr;
  QTableWidget* preview_ = nullptr;
  QLabel* result_ = nullptr;
};
