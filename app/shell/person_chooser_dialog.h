// Picks one person of the list: a search field above the names it matches.
#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;

class PersonChooserDialog : public QDialog {
  Q_OBJECT
 public:
  PersonChooserDialog(const QString& title, const QString& message, const QStringList& names,
                      QWidget* parent = nullptr);

  // The index in the names given of the one chosen; -1 for none.
  int chosenIndex() const;

 private:
  void filter(const QString& typed);

  QLineEdit* search_ = nullptr;
  QListWidget* list_ = nullptr;
};
