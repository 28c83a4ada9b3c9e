#include "qt_dialogs.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "import_preview_dialog.h"
#include "move_form_dialog.h"
#include "move_last_photos_dialog.h"
#include "person_chooser_dialog.h"
#include "yearbook_export_dialog.h"

void QtDialogs::alert(const QString& title, const QString& message) {
  ask(title, message, {QStringLiteral("OK")});
}

int QtDialogs::ask(const QString& title, const QString& message, const QStringList& buttons) {
  QMessageBox box(parent_);
  box.setWindowTitle(QStringLiteral("Vantrel Photo Tether"));
  box.setText(title.isEmpty() ? QStringLiteral("Vantrel Photo Tether") : title);
  box.setInformativeText(message);
  if (!icon_.isNull()) {
    box.setIconPixmap(icon_.pixmap(64, 64));
  } else {
    box.setIcon(QMessageBox::Information);
  }
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

std::optional<int> QtDialogs::choosePerson(const QString& title, const QString& message,
                                           const QStringList& names) {
  PersonChooserDialog dialog(title, message, names, parent_);
  if (dialog.exec() != QDialog::Accepted || dialog.chosenIndex() < 0) return std::nullopt;
  return dialog.chosenIndex();
}

std::optional<MoveFormAnswer> QtDialogs::moveForm(const MoveFormRequest& request) {
  MoveFormDialog dialog(request, icon_, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.answer();
}

std::optional<vantrel::names::RosterChoice> QtDialogs::importPreview(
    const ImportPreviewRequest& request) {
  ImportPreviewDialog dialog(request, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

std::optional<ExportFileChoice> QtDialogs::chooseExportFile(const QString& title,
                                                            const QString& proposedName,
                                                            const QStringList& formats,
                                                            int initialFormat) {
  // The formats are the save dialog's file types, as a spreadsheet's own export offers them.
  QStringList filters;
  for (const QString& format : formats) filters << format + QStringLiteral(" (*.csv)");
  QFileDialog dialog(parent_, title, QDir::home().filePath(proposedName));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(filters);
  if (initialFormat >= 0 && initialFormat < filters.size()) {
    dialog.selectNameFilter(filters[initialFormat]);
  }
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ExportFileChoice{dialog.selectedFiles().first(),
                          static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

std::optional<LastPhotosAnswer> QtDialogs::chooseLastPhotosMove(const LastPhotosRequest& request) {
  MoveLastPhotosDialog dialog(request, parent_);
  if (dialog.exec() != QDialog::Accepted || dialog.chosenIndex() < 0) return std::nullopt;
  return LastPhotosAnswer{dialog.photoCount(), dialog.chosenIndex()};
}

std::optional<QList<QPair<QString, QString>>> QtDialogs::customizeSuffixes(
    const QList<QPair<QString, QString>>& rows) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(QStringLiteral("Customize Suffixes"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* title = new QLabel(QStringLiteral("<b>Customize Suffixes</b>"), &dialog);
  auto* info = new QLabel(QStringLiteral("Up to 5. Each has a short button label and the text "
                                         "added to the folder name (e.g. label “FR”, suffix "
                                         "“_FR”). Leave a label blank to remove it."),
                          &dialog);
  info->setWordWrap(true);
  layout->addWidget(title);
  layout->addWidget(info);
  auto* grid = new QGridLayout;
  const QString headingStyle =
      QStringLiteral("font-weight: bold; font-size: 11px; color: rgba(0,0,0,128);");
  auto* labelHeading = new QLabel(QStringLiteral("Button label"), &dialog);
  auto* suffixHeading = new QLabel(QStringLiteral("Folder suffix"), &dialog);
  labelHeading->setStyleSheet(headingStyle);
  suffixHeading->setStyleSheet(headingStyle);
  grid->addWidget(labelHeading, 0, 0);
  grid->addWidget(suffixHeading, 0, 1);
  QList<QPair<QLineEdit*, QLineEdit*>> fields;
  for (int i = 0; i < 5; ++i) {
    auto* label = new QLineEdit(i < rows.size() ? rows[i].first : QString(), &dialog);
    auto* suffix = new QLineEdit(i < rows.size() ? rows[i].second : QString(), &dialog);
    label->setPlaceholderText(QStringLiteral("label"));
    suffix->setPlaceholderText(QStringLiteral("_suffix"));
    label->setFixedWidth(150);
    suffix->setFixedWidth(180);
    grid->addWidget(label, i + 1, 0);
    grid->addWidget(suffix, i + 1, 1);
    fields.append(qMakePair(label, suffix));
  }
  layout->addLayout(grid);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QList<QPair<QString, QString>> typed;
  for (const auto& [label, suffix] : fields) typed.append(qMakePair(label->text(), suffix->text()));
  return typed;
}

std::optional<YearbookExportAnswer> QtDialogs::yearbookExport(
    const YearbookExportRequest& request) {
  YearbookExportDialog dialog(request, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.answer();
}
