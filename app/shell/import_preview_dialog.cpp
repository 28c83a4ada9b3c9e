#include "import_preview_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "names_messages.h"
#include "palette.h"
#include "utf8_text.h"
#include "view_styling.h"

namespace names = vantrel::names;

namespace {

QComboBox* makeBox(const char* objectName, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(objectName));
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return box;
}

// Selects the entry whose data is `column`, else the first.
void selectColumn(QComboBox* box, int column) {
  const int index = box->findData(column);
  box->setCurrentIndex(index >= 0 ? index : 0);
}

}  // namespace

ImportPreviewDialog::ImportPreviewDialog(const ImportPreviewRequest& request, QWidget* parent)
    : QDialog(parent), table_(request.table) {
  setObjectName(QStringLiteral("importPreviewDialog"));
  setWindowTitle(QStringLiteral("Vantrel Photo Tether"));
  setStyleSheet(QStringLiteral("QDialog#importPreviewDialog { background: %1; }")
                    .arg(cssColor(palette::cardBackground())));
  setMinimumWidth(640);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(20, 20, 20, 16);
  column->setSpacing(10);

  auto* title = new QLabel(request.title, this);
  title->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 14px;"));
  column->addWidget(title);
  auto* summary = new QLabel(request.summary, this);
  summary->setObjectName(QStringLiteral("previewSummary"));
  summary->setWordWrap(true);
  summary->setStyleSheet(QStringLiteral("color: %1;").arg(cssColor(palette::secondaryLabel())));
  column->addWidget(summary);

  const names::RosterChoice initial = table_.fitted(request.initial);
  headerBox_ = new QCheckBox(QStringLiteral("First row is a header"), this);
  headerBox_->setObjectName(QStringLiteral("previewHeaderBox"));
  headerBox_->setChecked(initial.firstRowIsHeader);
  column->addWidget(headerBox_);

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight);
  joinBox_ = makeBox("previewNameMode", this);
  for (names::NameJoin join :
       {names::NameJoin::OneColumn, names::NameJoin::FirstLast, names::NameJoin::LastFirst}) {
    joinBox_->addItem(utf8Text(names::nameJoinTitle(join)), static_cast<int>(join));
  }
  joinBox_->setCurrentIndex(joinBox_->findData(static_cast<int>(initial.join)));
  form->addRow(QStringLiteral("Name from:"), joinBox_);
  nameLabel_ = new QLabel(this);
  nameBox_ = makeBox("previewNameColumn", this);
  form->addRow(nameLabel_, nameBox_);
  lastNameLabel_ = new QLabel(QStringLiteral("Last name column:"), this);
  lastNameBox_ = makeBox("previewLastNameColumn", this);
  form->addRow(lastNameLabel_, lastNameBox_);
  noteBox_ = makeBox("previewNoteColumn", this);
  form->addRow(QStringLiteral("Note from:"), noteBox_);
  column->addLayout(form);

  preview_ = new QTableWidget(this);
  preview_->setObjectName(QStringLiteral("previewTable"));
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setSelectionMode(QAbstractItemView::NoSelection);
  preview_->verticalHeader()->setVisible(false);
  preview_->horizontalHeader()->setStretchLastSection(true);
  preview_->setMinimumHeight(240);
  column->addWidget(preview_, 1);

  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("previewResult"));
  result_->setWordWrap(true);
  column->addWidget(result_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* accept = buttons->addButton(QStringLiteral("Import"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  accept->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);

  fillColumnBoxes();
  selectColumn(nameBox_, initial.nameColumn);
  selectColumn(lastNameBox_, initial.lastNameColumn);
  selectColumn(noteBox_, initial.noteColumn);
  showChoice();

  connect(headerBox_, &QCheckBox::toggled, this, [this] {
    fillColumnBoxes();
    showChoice();
  });
  for (QComboBox* box : {joinBox_, nameBox_, lastNameBox_, noteBox_}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] { showChoice(); });
  }
}

void ImportPreviewDialog::fillColumnBoxes() {
  const bool header = headerBox_->isChecked();
  for (QComboBox* box : {nameBox_, lastNameBox_, noteBox_}) {
    // The titles change with the header; the chosen columns stay.
    const QSignalBlocker quiet(box);
    const int chosen = box->count() > 0 ? box->currentData().toInt() : names::kNoColumn;
    box->clear();
    if (box == noteBox_) box->addItem(QStringLiteral("No note"), names::kNoColumn);
    for (int c = 0; c < table_.columnCount(); ++c) {
      box->addItem(utf8Text(table_.columnTitle(c, header)), c);
    }
    selectColumn(box, chosen);
  }
}

names::RosterChoice ImportPreviewDialog::choice() const {
  names::RosterChoice choice;
  choice.firstRowIsHeader = headerBox_->isChecked();
  choice.join = static_cast<names::NameJoin>(joinBox_->currentData().toInt());
  choice.nameColumn = nameBox_->currentData().toInt();
  choice.lastNameColumn = lastNameBox_->currentData().toInt();
  choice.noteColumn = noteBox_->currentData().toInt();
  return table_.fitted(choice);
}

void ImportPreviewDialog::showChoice() {
  const names::RosterChoice chosen = choice();
  const bool joined = chosen.join != names::NameJoin::OneColumn;
  nameLabel_->setText(joined ? QStringLiteral("First name column:")
                             : QStringLiteral("Name column:"));
  lastNameLabel_->setVisible(joined);
  lastNameBox_->setVisible(joined);

  const int columns = table_.columnCount();
  const std::size_t first = chosen.firstRowIsHeader ? 1 : 0;
  const std::size_t shown = std::min(table_.records.size() - std::min(first, table_.records.size()),
                                     static_cast<std::size_t>(kPreviewRows));
  preview_->clear();
  preview_->setColumnCount(columns);
  preview_->setRowCount(static_cast<int>(shown));
  for (int c = 0; c < columns; ++c) {
    auto* title = new QTableWidgetItem(utf8Text(table_.columnTitle(c, chosen.firstRowIsHeader)));
    // The columns the names and notes come from stand out.
    QFont font = title->font();
    font.setBold(c == chosen.nameColumn || (joined && c == chosen.lastNameColumn));
    font.setItalic(c == chosen.noteColumn);
    title->setFont(font);
    preview_->setHorizontalHeaderItem(c, title);
  }
  for (std::size_t r = 0; r < shown; ++r) {
    const names::Record& record = table_.records[first + r];
    for (std::size_t c = 0; c < record.size(); ++c) {
      preview_->setItem(static_cast<int>(r), static_cast<int>(c),
                        new QTableWidgetItem(utf8Text(record[c])));
    }
  }
  preview_->resizeColumnsToContents();
  result_->setText(utf8Text(names::importPreviewResult(table_, chosen)));
}
