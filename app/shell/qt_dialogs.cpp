#include "qt_dialogs.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

void QtDialogs::alert(const QString& title, const QString& message) {
  ask(title, message, {QStringLiteral("OK")});
}

int QtDialogs::ask(const QString& title, const QString& message, const QStringList& buttons) {
  QMessageBox box(parent_);
  box.setWindowTitle(QStringLiteral("Vantrel Photo Tether"));
  box.setText(title.isEmpty() ? QStringLiteral("Vantrel Photo Tether") : title);
  box.setInformativeText(message);
  if (!icon_.isNull()) box.setIconPixmap(icon_.pixmap(64, 64));
  QList<QAbstractButton*> made;
  for (const QString& text : buttons) made << box.addButton(text, QMessageBox::AcceptRole);
  if (!made.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(made.first()));
  box.exec();
  const int index = static_cast<int>(made.indexOf(box.clickedButton()));
  return index < 0 ? static_cast<int>(buttons.size()) - 1 : index;
}

QString QtDialogs::chooseFolder(const QString& title, const QString& startFolder) {
  return QFileDialog::getExistingDirectory(parent_, title,
                                           startFolder.isEmpty() ? QDir::homePath() : startFolder);
}

QStringList QtDialogs::chooseFiles(const QString& title, const QStringList& extensions,
                                   bool multiple) {
  QStringList patterns;
  for (const QString& ext : extensions) patterns << QStringLiteral("*.") + ext;
  const QString filter = QStringLiteral("Lists (%1)").arg(patterns.join(' '));
  if (multiple) return QFileDialog::getOpenFileNames(parent_, title, QDir::homePath(), filter);
  const QString one = QFileDialog::getOpenFileName(parent_, title, QDir::homePath(), filter);
  return one.isEmpty() ? QStringList{} : QStringList{one};
}

QString QtDialogs::chooseSaveFile(const QString& title, const QString& proposedName) {
  return QFileDialog::getSaveFileName(parent_, title, QDir::home().filePath(proposedName));
}

std::optional<QString> QtDialogs::prompt(const QString& title, const QString& message,
                                         const QString& text, const QString& okTitle) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(title);
  dialog.setLabelText(message);
  dialog.setTextValue(text);
  dialog.setOkButtonText(okTitle);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}
