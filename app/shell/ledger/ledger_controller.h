// The shot ledger: every photo the camera announces is followed through download, filing and
// backup, kept in shot_ledger.csv beside the grid store, shown in the Shot Ledger window, and
// counted on the status card while any is not accounted for.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shot_ledger.h"

class BackupController;
class Dialogs;
class LedgerWindow;
class QTimer;
class StatusController;
class WorkerSupervisor;

class LedgerController : public QObject {
  Q_OBJECT
 public:
  LedgerController(const QString& ledgerFile, WorkerSupervisor* worker, BackupController* backup,
                   StatusController* status, Dialogs* dialogs, QObject* parent = nullptr);
  ~LedgerController() override;

  void load();
  // Writes what changed; also at the end.
  void saveNow();
  const vantrel::ledger::ShotLedger& ledger() const { return _ledger; }
  // Today's photos still waiting for a stage after their grace (30 s unless set).
  std::size_t unaccountedToday() const;
  void setGraceMs(std::int64_t graceMs) { _graceMs = graceMs; }

  void workerLine(const std::string& line);
  void photoFiled(const std::string& sourcePath, const std::string& savedPath,
                  const std::string& person);
  // Photos renamed or moved (old path, new path); moved to another person when `person` is given.
  void photosRenamed(const std::vector<std::pair<std::string, std::string>>& renames,
                     const std::string& person = {});
  // The backup moved on: rows waiting for it take their state now.
  void refreshBackupStates();

  void showLedgerWindow();
  // "Export Ledger…": the rows of a date range, as CSV.
  void exportLedger();

 signals:
  void ledgerChanged();

 private:
  void changed();

  WorkerSupervisor* _worker;
  BackupController* _backup;
  StatusController* _status;
  Dialogs* _dialogs;
  vantrel::ledger::ShotLedger _ledger;
  // (worker generation, event id) → row, for the workers of this run.
  std::map<std::pair<quint64, std::uint64_t>, std::size_t> _announced;
  QTimer* _saveTimer;
  QTimer* _tick;
  std::size_t _lastUnaccounted = 0;
  std::int64_t _graceMs;
  QPointer<LedgerWindow> _window;
};
