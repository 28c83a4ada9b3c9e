// "Move Last Photos…": the one-step repair for photos shot while the wrong person was selected.
// The last photos filed this session go to another person picked by search, under the next
// numbers of that person's folder; counts, the store and the backup follow them.
#pragma once

#include <QObject>
#include <string>
#include <utility>
#include <vector>

class BackupController;
class Dialogs;
class FilingController;
class NamesController;
class StatusController;

class LastPhotosController : public QObject {
  Q_OBJECT
 public:
  LastPhotosController(FilingController* filing, NamesController* names, BackupController* backup,
                       StatusController* status, Dialogs* dialogs, QObject* parent = nullptr);

  // The menu command: asks how many and for whom, then moves them.
  void moveLastPhotos();
  // Moves the last `count` photos filed to the person at model row `row`.
  void moveLastPhotosTo(qint64 count, qint64 row);

 signals:
  // Photos were moved to another person's folder: (old path, new path) pairs as file-name bytes,
  // in filing order, once the counts, the store and the backup queue have followed them. Emitted
  // on the main thread from moveLastPhotosTo, at most once per move and never for an empty one;
  // connect directly (the pairs are not a registered meta type).
  // `person` is the name of the one they now belong to.
  void photosMoved(const std::vector<std::pair<std::string, std::string>>& moves,
                   const std::string& person);

 private:
  FilingController* _filing;
  NamesController* _names;
  BackupController* _backup;
  StatusController* _status;
  Dialogs* _dialogs;
};
