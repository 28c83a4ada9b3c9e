#include "tags_controller.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "dialogs.h"
#include "filing_messages.h"
#include "palette.h"
#include "settings_keys.h"
#include "status_controller.h"
#include "user_defaults.h"
#include "view_styling.h"

TagsController::TagsController(StatusController* status, Dialogs* dialogs, UserDefaults* defaults,
                               QObject* parent)
    : QObject(parent), _status(status), _dialogs(dialogs), _defaults(defaults) {}

void TagsController::attach(QHBoxLayout* tagRow, QPushButton* manageButton) {
  _tagRow = tagRow;
  _manageButton = manageButton;
  rebuildSuffixButtons();
}

void TagsController::loadSuffixes() {
  std::vector<vantrel::filing::StoredSuffixTag> stored;
  for (const QVariant& element : _defaults->value(settings_keys::kSuffixes).toList()) {
    vantrel::filing::StoredSuffixTag tag;
    if (element.typeId() != QMetaType::QVariantMap) {
      tag.isRecord = false;
      stored.push_back(tag);
      continue;
    }
    const QVariantMap record = element.toMap();
    auto text = [&](const char* key) -> std::optional<std::string> {
      const QVariant v = record.value(QString::fromLatin1(key));
      if (v.typeId() != QMetaType::QString) return std::nullopt;
      return v.toString().toStdString();
    };
    tag.label = text("label");
    tag.suffix = text("suffix");
    tag.on = record.value(QStringLiteral("on")).toBool();
    stored.push_back(tag);
  }
  _suffixes = vantrel::filing::SuffixTags::fromStored(stored);
  emit tagsChanged();
}

void TagsController::saveSuffixes() {
  QVariantList list;
  for (const auto& tag : _suffixes.tags()) {
    list << QVariantMap{{QStringLiteral("label"), QString::fromStdString(tag.label)},
                        {QStringLiteral("suffix"), QString::fromStdString(tag.suffix)},
                        {QStringLiteral("on"), tag.on}};
  }
  _defaults->set(settings_keys::kSuffixes, list);
  _defaults->flush();
}

void TagsController::rebuildSuffixButtons() {
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

void TagsController::restyleSuffixButtons() {
  const auto& tags = _suffixes.tags();
  for (int i = 0; i < _suffixButtons.size(); ++i) {
    if (static_cast<size_t>(i) >= tags.size()) continue;
    QPushButton* button = _suffixButtons[i];
    styleButton(button, QString::fromStdString(tags[i].label),
                tags[i].on ? palette::green() : palette::gray(), _setupAllowed);
    button->setToolTip(QStringLiteral("Appends \"%1\" to the folder name when on")
                           .arg(QString::fromStdString(tags[i].suffix)));
  }
}

void TagsController::updateControls(bool setupAllowed) {
  _setupAllowed = setupAllowed;
  restyleSuffixButtons();
  if (_manageButton) {
    styleButton(_manageButton, QStringLiteral("Edit…"), palette::gray(), setupAllowed);
  }
}

void TagsController::suffixToggled(int index, bool on) {
  if (index < 0 || !_suffixes.setOn(static_cast<size_t>(index), on)) return;
  saveSuffixes();
  restyleSuffixButtons();
  emit tagsChanged();
  _status->setStatus(
      QString::fromStdString(vantrel::filing::suffixToggledStatus(_suffixes.enabledSuffixString())),
      QStringLiteral("neutral"));
}

void TagsController::manageSuffixes() {
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
  emit tagsChanged();
}

void TagsController::turnAllSuffixesOff() {
  _suffixes.turnAllOff();
  saveSuffixes();
  for (QPushButton* button : _suffixButtons) {
    const QSignalBlocker quiet(button);
    button->setChecked(false);
  }
  restyleSuffixButtons();
  emit tagsChanged();
}
