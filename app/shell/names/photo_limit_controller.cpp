#include "photo_limit_controller.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include "names_controller.h"
#include "names_table_model.h"
#include "settings_keys.h"
#include "status_controller.h"
#include "user_defaults.h"
#include "utf8_text.h"

namespace {
// Orange, like every warning of the status card.
const QString kWarningKind = QStringLiteral("warning");
}  // namespace

PhotoLimitController::PhotoLimitController(NamesController* names, StatusController* status,
                                           UserDefaults* defaults, QObject* parent)
    : QObject(parent), _names(names), _status(status), _defaults(defaults) {
  connect(_names, &NamesController::selectionChanged, this, [this] { personChanged(); });
}

void PhotoLimitController::attach(const PhotoLimitViews& views) {
  _views = views;
  if (_views.photosPerPerson) {
    _views.photosPerPerson->setRange(0, static_cast<int>(vantrel::guards::kMaxPhotosPerPerson));
    connect(_views.photosPerPerson, &QSpinBox::valueChanged, this,
            [this](int value) { setPhotosPerPerson(value); });
  }
  if (_views.selectNextRemaining) {
    connect(_views.selectNextRemaining, &QCheckBox::toggled, this,
            [this](bool on) { setSelectNextRemaining(on); });
  }
  showSettings();
}

void PhotoLimitController::restoreSettings() {
  _settings.photosPerPerson = vantrel::guards::clampedPhotoLimit(
      _defaults->integer(settings_keys::kPhotosPerPerson).value_or(0));
  _settings.selectNextRemaining = _defaults->boolean(settings_keys::kSelectNextRemaining, false);
  showSettings();
}

void PhotoLimitController::setPhotosPerPerson(qint64 limit) {
  limit = vantrel::guards::clampedPhotoLimit(limit);
  if (limit == _settings.photosPerPerson) return;
  _settings.photosPerPerson = limit;
  settingsEdited();
}

void PhotoLimitController::setSelectNextRemaining(bool on) {
  if (on == _settings.selectNextRemaining) return;
  _settings.selectNextRemaining = on;
  settingsEdited();
}

void PhotoLimitController::settingsEdited() {
  _defaults->set(settings_keys::kPhotosPerPerson,
                 static_cast<qlonglong>(_settings.photosPerPerson));
  _defaults->set(settings_keys::kSelectNextRemaining, _settings.selectNextRemaining);
  _defaults->flush();
  showSettings();
  // A warning given under the old limit may no longer hold.
  _warnedFor = -1;
  _status->releaseHeldStatus();
}

void PhotoLimitController::showSettings() {
  _names->tableModel()->setPhotoLimit(_settings.photosPerPerson);
  if (_views.photosPerPerson) {
    const QSignalBlocker quiet(_views.photosPerPerson);
    _views.photosPerPerson->setValue(static_cast<int>(_settings.photosPerPerson));
  }
  if (_views.selectNextRemaining) {
    const QSignalBlocker quiet(_views.selectNextRemaining);
    _views.selectNextRemaining->setChecked(_settings.selectNextRemaining);
  }
}

void PhotoLimitController::photoCounted(qint64 row) {
  const auto reaction =
      vantrel::guards::reactToCountedPhoto(_names->names(), row, _names->captureRow(), _settings);
  if (!reaction) return;
  if (reaction->select != vantrel::names::kNoRow) {
    _names->names().setSelectedRow(reaction->select);
    _names->selectModelRowInTable(reaction->select, true);
    _names->saveSelection();
  }
  // Held until the operator (or the move above) has someone else selected.
  _status->holdStatus(utf8Text(reaction->status), kWarningKind);
  _warnedFor = _names->captureRow();
}

void PhotoLimitController::personChanged() {
  if (_warnedFor < 0 || _names->captureRow() == _warnedFor) return;
  _warnedFor = -1;
  _status->releaseHeldStatus();
}
