// Photos per person: the limit and its option in the settings popover, the orange warning once
// the current person has reached it, and, with the option on, the move to the next person still
// below it in the order the table shows. The rules are the guards library's.
#pragma once

#include <QObject>

#include "photo_limit.h"

class NamesController;
class QCheckBox;
class QSpinBox;
class StatusController;
class UserDefaults;

struct PhotoLimitViews {
  QSpinBox* photosPerPerson = nullptr;
  QCheckBox* selectNextRemaining = nullptr;
};

class PhotoLimitController : public QObject {
  Q_OBJECT
 public:
  PhotoLimitController(NamesController* names, StatusController* status, UserDefaults* defaults,
                       QObject* parent = nullptr);

  void attach(const PhotoLimitViews& views);
  void restoreSettings();
  const vantrel::guards::PhotoLimitSettings& settings() const { return _settings; }
  // 0 is no limit; out-of-range values are clamped.
  void setPhotosPerPerson(qint64 limit);
  void setSelectNextRemaining(bool on);

  // A filed photo was counted against model row `row`.
  void photoCounted(qint64 row);

 private:
  // The current person may have changed: a warning about someone else is over.
  void personChanged();
  void settingsEdited();
  void showSettings();

  NamesController* _names;
  StatusController* _status;
  UserDefaults* _defaults;
  PhotoLimitViews _views;
  vantrel::guards::PhotoLimitSettings _settings;
  // The person the held warning is about; -1 while none is held.
  qint64 _warnedFor = -1;
};
