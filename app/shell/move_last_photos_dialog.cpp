#include "move_last_photos_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "palette.h"

MoveLastPhotosDialog::MoveLastPhotosDialog(const LastPhotosRequest& request, QWidget* parent)
    : PersonChooserDialog(request.title, request.message, request.names, parent) {
  auto* panel = new QWidget(this);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel(QStringLiteral("Photos to move:"), panel));
  count_ = new QSpinBox(panel);
  count_->setObjectName(QStringLiteral("photoCount"));
  count_->setRange(1, static_cast<int>(std::max<qsizetype>(1, request.recentPhotos.size())));
  count_->setValue(1);
  countRow->addWidget(count_);
  countRow->addStretch();
  layout->addLayout(countRow);
  photos_ = new QListWidget(panel);
  photos_->setSelectionMode(QAbstractItemView::NoSelection);
  photos_->setFocusPolicy(Qt::NoFocus);
  photos_->addItems(request.recentPhotos);
  photos_->setMaximumHeight(110);
  layout->addWidget(photos_);
  layout->addWidget(new QLabel(QStringLiteral("Move them to:"), panel));
  // Between the message and the person search.
  if (auto* dialogLayout = qobject_cast<QVBoxLayout*>(this->layout()))
    dialogLayout->insertWidget(1, panel);
  if (auto* buttons = findChild<QDialogButtonBox*>())
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Move"));
  connect(count_, &QSpinBox::valueChanged, this, [this] { markPhotosMoved(); });
  markPhotosMoved();
}

qint64 MoveLastPhotosDialog::photoCount() const {
  return count_->value();
}

void MoveLastPhotosDialog::markPhotosMoved() {
  for (int i = 0; i < photos_->count(); ++i) {
    QListWidgetItem* item = photos_->item(i);
    const bool moved = i < count_->value();
    QFont font = item->font();
    font.setBold(moved);
    item->setFont(font);
    item->setForeground(moved ? palette::primaryText() : palette::secondaryLabel());
  }
}
