#include "move_form_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "palette.h"
#include "view_styling.h"

namespace {
constexpr int kAccessoryWidth = 360;
}

MoveFormDialog::MoveFormDialog(const MoveFormRequest& request, const QIcon& icon, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("moveFormDialog"));
  setWindowTitle(QStringLiteral("Vantrel Photo Tether"));
  setStyleSheet(QStringLiteral("QDialog#moveFormDialog { background: %1; }")
                    .arg(cssColor(palette::cardBackground())));
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(20, 20, 20, 16);
  outer->setSpacing(16);
  if (!icon.isNull()) {
    auto* image = new QLabel(this);
    image->setPixmap(icon.pixmap(64, 64));
    outer->addWidget(image, 0, Qt::AlignTop);
  }
  auto* column = new QVBoxLayout;
  column->setSpacing(8);
  outer->addLayout(column);

  auto* message = new QLabel(request.message, this);
  message->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 14px;"));
  message->setWordWrap(true);
  column->addWidget(message);
  auto* informative = new QLabel(request.informativeText, this);
  informative->setWordWrap(true);
  informative->setFixedWidth(kAccessoryWidth);
  column->addWidget(informative);

  auto* accessory = new QWidget(this);
  accessory->setFixedWidth(kAccessoryWidth);
  auto* rows = new QVBoxLayout(accessory);
  rows->setContentsMargins(0, 4, 0, 4);
  rows->setSpacing(6);
  if (request.name) {
    nameField_ = new QLineEdit(*request.name, accessory);
    nameField_->setObjectName(QStringLiteral("moveNameField"));
    styleTextFieldBox(nameField_);
    rows->addWidget(nameField_);
  }
  auto* heading = new QLabel(request.heading, accessory);
  heading->setStyleSheet(
      QStringLiteral("font-weight: bold; color: %1;").arg(cssColor(palette::secondaryLabel())));
  heading->setWordWrap(true);
  rows->addWidget(heading);
  for (const MoveFormChoice& choice : request.choices) {
    auto* box = new QCheckBox(choice.title, accessory);
    box->setChecked(choice.checked);
    boxes_ << box;
    rows->addWidget(box);
  }
  column->addWidget(accessory);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* accept = buttons->addButton(request.acceptTitle, QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  accept->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);

  // The name is what the operator came to change.
  if (nameField_) {
    nameField_->setFocus();
    nameField_->selectAll();
  }
}

MoveFormAnswer MoveFormDialog::answer() const {
  MoveFormAnswer result;
  if (nameField_) result.name = nameField_->text();
  for (const QCheckBox* box : boxes_) result.checked << box->isChecked();
  return result;
}
