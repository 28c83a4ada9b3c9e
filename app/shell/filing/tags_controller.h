// Folder suffix tags (e.g. "_FR"): their toggle buttons in the settings popover, their editor and
// their settings.
#pragma once

#include <QList>
#include <QObject>

#include "suffix_tags.h"

class Dialogs;
class QHBoxLayout;
class QPushButton;
class StatusController;
class UserDefaults;

class TagsController : public QObject {
  Q_OBJECT
 public:
  TagsController(StatusController* status, Dialogs* dialogs, UserDefaults* defaults,
                 QObject* parent = nullptr);

  // The row of the popover the tag buttons go in, before its last item (the Edit… button).
  void attach(QHBoxLayout* tagRow, QPushButton* manageButton);
  const vantrel::filing::SuffixTags& suffixes() const { return _suffixes; }

  void loadSuffixes();
  void saveSuffixes();
  void rebuildSuffixButtons();
  void restyleSuffixButtons();
  void suffixToggled(int index, bool on);
  void manageSuffixes();
  // The reset for the next job: every tag off, the tags themselves stay.
  void turnAllSuffixesOff();
  void updateControls(bool setupAllowed);

 signals:
  // Which tags are on changed: the folder of the next photo changes with them.
  void tagsChanged();

 private:
  StatusController* _status;
  Dialogs* _dialogs;
  UserDefaults* _defaults;
  vantrel::filing::SuffixTags _suffixes;
  QHBoxLayout* _tagRow = nullptr;
  QPushButton* _manageButton = nullptr;
  QList<QPushButton*> _suffixButtons;
  bool _setupAllowed = true;
};
