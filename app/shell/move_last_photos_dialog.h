// "Move Last Photos…": how many of the last photos filed, shown newest first, above the person
// search of the person chooser.
#pragma once

#include "dialogs.h"
#include "person_chooser_dialog.h"

class QListWidget;
class QSpinBox;

class MoveLastPhotosDialog : public PersonChooserDialog {
  Q_OBJECT
 public:
  explicit MoveLastPhotosDialog(const LastPhotosRequest& request, QWidget* parent = nullptr);

  qint64 photoCount() const;

 private:
  // The photos that go are drawn strong, the others faint.
  void markPhotosMoved();

  QSpinBox* count_ = nullptr;
  QListWidget* photos_ = nullptr;
};
