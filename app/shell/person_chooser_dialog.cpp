#include "person_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

PersonChooserDialog::PersonChooserDialog(const QString& title, const QString& message,
                                         const QStringList& names, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(message, this);
  heading->setWordWrap(true);
  layout->addWidget(heading);
  search_ = new QLineEdit(this);
  search_->setPlaceholderText(QStringLiteral("Search"));
  search_->setClearButtonEnabled(true);
  layout->addWidget(search_);
  list_ = new QListWidget(this);
  for (int i = 0; i < names.size(); ++i) {
    auto* item = new QListWidgetItem(names[i], list_);
    item->setData(Qt::UserRole, i);
  }
  list_->setMinimumSize(320, 280);
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Choose"));
  layout->addWidget(buttons);

  auto updateOk = [this, buttons] {
    buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(list_->currentItem() != nullptr && !list_->currentItem()->isHidden());
  };
  connect(search_, &QLineEdit::textChanged, this, [this, updateOk](const QString& typed) {
    filter(typed);
    updateOk();
  });
  connect(list_, &QListWidget::currentItemChanged, this, updateOk);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  updateOk();
  search_->setFocus();
}

void PersonChooserDialog::filter(const QString& typed) {
  const QString wanted = typed.trimmed();
  QListWidgetItem* firstShown = nullptr;
  for (int i = 0; i < list_->count(); ++i) {
    QListWidgetItem* item = list_->item(i);
    const bool shown = wanted.isEmpty() || item->text().contains(wanted, Qt::CaseInsensitive);
    item->setHidden(!shown);
    if (shown && !firstShown) firstShown = item;
  }
  if (!list_->currentItem() || list_->currentItem()->isHidden()) list_->setCurrentItem(firstShown);
}

int PersonChooserDialog::chosenIndex() const {
  const QListWidgetItem* item = list_->currentItem();
  return item && !item->isHidden() ? item->data(Qt::UserRole).toInt() : -1;
}
