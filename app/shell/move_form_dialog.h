// The move dialog as an alert: the question, the name field when the destination is open, and
// one checkbox per suffix folder.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QList>

#include "dialogs.h"

class QCheckBox;
class QLineEdit;

class MoveFormDialog : public QDialog {
  Q_OBJECT
 public:
  MoveFormDialog(const MoveFormRequest& request, const QIcon& icon, QWidget* parent = nullptr);

  MoveFormAnswer answer() const;

 private:
  QLineEdit* nameField_ = nullptr;
  QList<QCheckBox*> boxes_;
};
