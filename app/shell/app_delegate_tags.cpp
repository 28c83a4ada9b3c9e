// Folder suffix tags: toggle buttons in the settings popover and their editor.
#include <QHBoxLayout>
#include <QPushButton>

#include "dialogs.h"
#include "filing_messages.h"
#include "palette.h"
#include "vantrel_app_delegate.h"
#include "view_styling.h"

void VantrelAppDelegate::rebuildSuffixButtons() {
  for (QPushButton* button : _suffixButtons) {
    button->setParent(nullptr);  // out of the popover now, freed once its events are done
    button->deleteLater();
  }
  _suffixButtons.clear();
  if (!_tagRow) return;
  const auto& tags = _suffixes.tags();
  for (size_t i = 0; i < tags.size() && i < vantrel::filing::kMaxSuffixTags; ++i) {
    auto* button = new QPushButton(QString::fromStdString(tags[i].label));
    button->setCheckable(true);
    button->setChecked(tags[i].on);
    button->setObjectName(QStringLiteral("tagButton%1").arg(i));
    connect(button, &QPushButton::toggled, this,
            [this, i](bool on) { suffixToggled(static_cast<int>(i), on); });
    _tagRow->insertWidget(static_cast<int>(i), button);
    _suffixButtons << button;
  }
  restyleSuffixButtons();
}

void VantrelAppDelegate::restyleSuffixButtons() {
  const auto& tags = _suffixes.tags();
  const bool setupAllowed = !(_camera.pendingConnect && !_camera.cameraConnected);
  for (int i = 0; i < _suffixButtons.size(); ++i) {
    if (static_cast<size_t>(i) >= tags.size()) continue;
    QPushButton* button = _suffixButtons[i];
    styleButton(button, QString::fromStdString(tags[i].label),
                tags[i].on ? palette::green() : palette::gray(), setupAllowed);
    button->setToolTip(QStringLiteral("Appends \"%1\" to the folder name when on")
                           .arg(QString::fromStdString(tags[i].suffix)));
  }
}

void VantrelAppDelegate::suffixToggled(int index, bool on) {
  if (index < 0 || !_suffixes.setOn(static_cast<size_t>(index), on)) return;
  saveSuffixes();
  restyleSuffixButtons();
  updatePathLabels();
  setStatus(
      QString::fromStdString(vantrel::filing::suffixToggledStatus(_suffixes.enabledSuffixString())),
      QStringLiteral("neutral"));
}

void VantrelAppDelegate::manageSuffixes() {
  QList<QPair<QString, QString>> rows;
  for (const auto& tag : _suffixes.tags()) {
    rows.append({QString::fromStdString(tag.label), QString::fromStdString(tag.suffix)});
  }
  const auto typed = _dialogs->customizeSuffixes(rows);
  if (!typed) return;
  std::vector<vantrel::filing::SuffixTagEditRow> editRows;
  for (const auto& [label, suffix] : *typed) {
    editRows.push_back({label.toStdString(), suffix.toStdString()});
  }
  _suffixes.replaceFromEditRows(editRows);
  saveSuffixes();
  rebuildSuffixButtons();
}

void VantrelAppDelegate::turnAllSuffixesOff() {
  _suffixes.turnAllOff();
  saveSuffixes();
  for (QPushButton* button : _suffixButtons) {
    const QSignalBlocker quiet(button);
    button->setChecked(false);
  }
  restyleSuffixButtons();
}
