#include "yearbook_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "palette.h"
#include "pspa_columns.h"
#include "volume_name.h"

namespace yb = vantrel::yearbook;

namespace {

// The source list of each column: nothing, then every field, then a fixed text.
constexpr int kNoSourceItem = 0;

QString noSourceTitle(yb::PspaColumn column) {
  if (column == yb::PspaColumn::LastName || column == yb::PspaColumn::FirstName)
    return QStringLiteral("From the person's name");
  return QStringLiteral("Leave empty");
}

QString columnTitle(yb::PspaColumn column) {
  return QString::fromUtf8(yb::pspaColumnName(column).data(),
                           static_cast<qsizetype>(yb::pspaColumnName(column).size()));
}

}  // namespace

YearbookExportDialog::YearbookExportDialog(const YearbookExportRequest& request, QWidget* parent)
    : QDialog(parent), _fieldNames(request.fieldNames) {
  setWindowTitle(QStringLiteral("Export Yearbook Package"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("A package for yearbook publishers (PSPA format): INDEX.TXT, one 4:5 portrait "
                     "per person and the studio's notice, for the %1 people of the list.")
          .arg(request.people),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* form = new QFormLayout;
  _volume = new QLineEdit(QString::fromStdString(request.initial.volumeName), this);
  _volume->setObjectName(QStringLiteral("volumeName"));
  _volume->setPlaceholderText(QStringLiteral("e.g. Lincoln_High_2027"));
  form->addRow(QStringLiteral("Volume name:"), _volume);
  _volumeProblem = new QLabel(this);
  _volumeProblem->setObjectName(QStringLiteral("volumeProblem"));
  _volumeProblem->setWordWrap(true);
  _volumeProblem->setStyleSheet(QStringLiteral("color: %1;").arg(palette::orange().name()));
  form->addRow(QString(), _volumeProblem);

  _size = new QComboBox(this);
  _size->setObjectName(QStringLiteral("portraitSize"));
  _size->addItem(QStringLiteral("Large: 640 × 800 (what publishers expect)"));
  _size->addItem(QStringLiteral("Small: 320 × 400 (only where a publisher asks for it)"));
  _size->setCurrentIndex(request.initial.size == yb::PortraitSize::Small ? 1 : 0);
  form->addRow(QStringLiteral("Portrait size:"), _size);

  auto* folderRow = new QHBoxLayout;
  _folder = new QLineEdit(request.outputFolder, this);
  _folder->setObjectName(QStringLiteral("outputFolder"));
  auto* choose = new QPushButton(QStringLiteral("Choose…"), this);
  folderRow->addWidget(_folder, 1);
  folderRow->addWidget(choose);
  form->addRow(QStringLiteral("Save in:"), folderRow);
  connect(choose, &QPushButton::clicked, this, [this] {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Where the yearbook package goes"), _folder->text());
    if (!folder.isEmpty()) _folder->setText(folder);
  });

  _copyright = new QLineEdit(QString::fromStdString(request.initial.copyright), this);
  _copyright->setObjectName(QStringLiteral("copyright"));
  _copyright->setPlaceholderText(QStringLiteral("© 2027 Your Studio. All rights reserved."));
  form->addRow(QStringLiteral("Copyright notice:"), _copyright);

  _headroom = new QSpinBox(this);
  _headroom->setObjectName(QStringLiteral("headroom"));
  _headroom->setRange(-100, 100);
  _headroom->setSuffix(QStringLiteral(" %"));
  _headroom->setValue(static_cast<int>(std::lround(request.initial.headroom * 100.0)));
  _headroom->setToolTip(
      QStringLiteral("Where the 4:5 crop sits in a tall photo: 0 % centred, 100 % at the top "
                     "(most room above the head), −100 % at the bottom."));
  form->addRow(QStringLiteral("Crop position:"), _headroom);
  layout->addLayout(form);

  layout->addWidget(buildMapping(request));

  _replace = new QCheckBox(QStringLiteral("Replace a package of the same name"), this);
  _replace->setObjectName(QStringLiteral("replace"));
  _replace->setChecked(request.initial.replace);
  layout->addWidget(_replace);
  _requireAll = new QCheckBox(QStringLiteral("Only when everyone has a photo"), this);
  _requireAll->setObjectName(QStringLiteral("requireAll"));
  _requireAll->setChecked(request.initial.requireAll);
  layout->addWidget(_requireAll);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  _export = buttons->button(QDialogButtonBox::Ok);
  _export->setText(QStringLiteral("Export"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(_volume, &QLineEdit::textChanged, this, [this] { validate(); });
  connect(_folder, &QLineEdit::textChanged, this, [this] { validate(); });
  validate();
}

QWidget* YearbookExportDialog::buildMapping(const YearbookExportRequest& request) {
  auto* box =
      new QGroupBox(QStringLiteral("Index columns (guessed from the list's columns)"), this);
  auto* grid = new QGridLayout(box);
  int line = 0;
  for (yb::PspaColumn column : yb::kPspaColumns) {
    if (!yb::isMappedColumn(column)) continue;
    ColumnRow row{column, new QComboBox(box), new QLineEdit(box)};
    row.source->setObjectName(QStringLiteral("source:") + columnTitle(column));
    row.fixedText->setObjectName(QStringLiteral("fixed:") + columnTitle(column));
    row.source->addItem(noSourceTitle(column));
    for (const QString& field : _fieldNames) row.source->addItem(field);
    row.source->addItem(QStringLiteral("Fixed text:"));
    const yb::ColumnSource& guessed = request.guess.source(column);
    int current = kNoSourceItem;
    if (guessed.kind == yb::ColumnSource::Kind::Field) {
      const qsizetype at = _fieldNames.indexOf(QString::fromStdString(guessed.value));
      if (at >= 0) current = static_cast<int>(at) + 1;
    } else if (guessed.kind == yb::ColumnSource::Kind::Fixed) {
      current = row.source->count() - 1;
      row.fixedText->setText(QString::fromStdString(guessed.value));
    }
    row.source->setCurrentIndex(current);
    row.fixedText->setVisible(current == row.source->count() - 1);
    QLineEdit* fixed = row.fixedText;
    QComboBox* source = row.source;
    connect(source, &QComboBox::currentIndexChanged, fixed,
            [fixed, source](int index) { fixed->setVisible(index == source->count() - 1); });
    grid->addWidget(new QLabel(columnTitle(column) + QStringLiteral(":"), box), line, 0);
    grid->addWidget(row.source, line, 1);
    grid->addWidget(row.fixedText, line, 2);
    _columns.append(row);
    ++line;
  }
  grid->setColumnStretch(2, 1);
  return box;
}

yb::ColumnSource YearbookExportDialog::sourceOf(const ColumnRow& row) const {
  const int index = row.source->currentIndex();
  if (index == row.source->count() - 1)
    return yb::ColumnSource::fixed(row.fixedText->text().toStdString());
  if (index > kNoSourceItem && index - 1 < _fieldNames.size())
    return yb::ColumnSource::field(_fieldNames.at(index - 1).toStdString());
  return {};
}

void YearbookExportDialog::validate() {
  const std::optional<std::string> problem =
      vantrel::yearbook::volumeNameProblem(_volume->text().toStdString());
  _volumeProblem->setText(problem ? QString::fromStdString(*problem) : QString());
  _volumeProblem->setVisible(problem.has_value());
  _export->setEnabled(!problem && !_folder->text().trimmed().isEmpty());
}

YearbookExportAnswer YearbookExportDialog::answer() const {
  YearbookExportAnswer result;
  result.options.volumeName = _volume->text().toStdString();
  result.options.size =
      _size->currentIndex() == 1 ? yb::PortraitSize::Small : yb::PortraitSize::Large;
  result.options.copyright = _copyright->text().trimmed().toStdString();
  result.options.headroom = _headroom->value() / 100.0;
  result.options.replace = _replace->isChecked();
  result.options.requireAll = _requireAll->isChecked();
  for (const ColumnRow& row : _columns) result.options.mapping.setSource(row.column, sourceOf(row));
  result.outputFolder = _folder->text().trimmed();
  return result;
}
