#include "ledger_controller.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTimer>

#include "backup_controller.h"
#include "dialogs.h"
#include "ledger_time.h"
#include "ledger_window.h"
#include "status_controller.h"
#include "utf8_text.h"
#include "worker_message.h"
#include "worker_supervisor.h"

namespace {
constexpr int kSaveDelayMs = 400;
constexpr int kTickMs = 5000;
// How long a photo may sit at one stage before it counts as not accounted for.
constexpr std::int64_t kGraceMs = 30000;

std::int64_t nowMs() {
  return QDateTime::currentMSecsSinceEpoch();
}

std::string today() {
  return QDate::currentDate().toString(Qt::ISODate).toStdString();
}
}  // namespace

LedgerController::LedgerController(const QString& ledgerFile, WorkerSupervisor* worker,
                                   BackupController* backup, StatusController* status,
                                   Dialogs* dialogs, QObject* parent)
    : QObject(parent),
      _worker(worker),
      _backup(backup),
      _status(status),
      _dialogs(dialogs),
      _ledger(ledgerFile.toStdString()),
      _saveTimer(new QTimer(this)),
      _tick(new QTimer(this)),
      _graceMs(kGraceMs) {
  _saveTimer->setSingleShot(true);
  _saveTimer->setInterval(kSaveDelayMs);
  connect(_saveTimer, &QTimer::timeout, this, [this] { saveNow(); });
  _tick->setInterval(kTickMs);
  connect(_tick, &QTimer::timeout, this, [this] {
    refreshBackupStates();
    const std::size_t unaccounted = unaccountedToday();
    if (unaccounted != _lastUnaccounted) {
      _lastUnaccounted = unaccounted;
      _status->refreshReadyStatusIfIdle();
      emit ledgerChanged();
    }
  });
}

LedgerController::~LedgerController() {
  saveNow();
}

void LedgerController::load() {
  if (!_ledger.load()) {
    _status->setStatus(QStringLiteral("The shot ledger could not be read; a new one is started."),
                       QStringLiteral("error"));
  }
  _tick->start();
  _lastUnaccounted = unaccountedToday();
}

void LedgerController::saveNow() {
  _saveTimer->stop();
  if (!_ledger.save()) {
    _status->setStatus(QStringLiteral("The shot ledger could not be saved."),
                       QStringLiteral("error"));
  }
}

std::size_t LedgerController::unaccountedToday() const {
  return _ledger.unresolvedCount(today(), nowMs(), _graceMs);
}

void LedgerController::changed() {
  _saveTimer->start();
  _lastUnaccounted = unaccountedToday();
  emit ledgerChanged();
}

void LedgerController::workerLine(const std::string& line) {
  using vantrel::link::WorkerMessageKind;
  const auto message = vantrel::link::parseWorkerLine(line);
  const quint64 generation = _worker->workerGeneration();
  switch (message.kind) {
    case WorkerMessageKind::CaptureEvent:
      if (message.eventId) {
        _announced[{generation, *message.eventId}] =
            _ledger.announce(vantrel::ledger::isoLocalTimeNow(), nowMs());
        changed();
      }
      return;
    case WorkerMessageKind::Downloaded: {
      std::optional<std::size_t> row;
      if (message.eventId) {
        const auto it = _announced.find({generation, *message.eventId});
        if (it != _announced.end()) row = it->second;
      }
      _ledger.downloaded(row, message.payload, vantrel::ledger::isoLocalTimeNow(), nowMs());
      changed();
      return;
    }
    case WorkerMessageKind::Error:
      if (message.eventId) {
        const auto it = _announced.find({generation, *message.eventId});
        if (it != _announced.end()) {
          _ledger.downloadFailed(it->second, nowMs());
          changed();
        }
      }
      return;
    default:
      return;
  }
}

void LedgerController::photoFiled(const std::string& sourcePath, const std::string& savedPath,
                                  const std::string& person) {
  _ledger.filed(sourcePath, savedPath, person, _backup->photoBackupState(savedPath),
                vantrel::ledger::isoLocalTimeNow(), nowMs());
  changed();
}

void LedgerController::photosRenamed(
    const std::vector<std::pair<std::string, std::string>>& renames, const std::string& person) {
  bool any = false;
  for (const auto& [from, to] : renames) any = _ledger.renamed(from, to, person) || any;
  if (!any) return;
  refreshBackupStates();
  changed();
}

void LedgerController::refreshBackupStates() {
  bool any = false;
  const std::int64_t now = nowMs();
  const std::string day = today();
  // Every 5 s on the window's thread: only today's rows, the ones the card and window show.
  for (const auto& row : _ledger.rows()) {
    if (row.savedAs.empty() || row.backup == vantrel::ledger::kBackupCopied) continue;
    if (vantrel::ledger::dayOf(row.time) != day) continue;
    any = _ledger.setBackup(row.savedAs, _backup->photoBackupState(row.savedAs), now) || any;
  }
  if (any) changed();
}

void LedgerController::showLedgerWindow() {
  if (!_window) {
    _window = new LedgerWindow([this] { return &_ledger; }, _graceMs);
    _window->setAttribute(Qt::WA_DeleteOnClose);
    connect(this, &LedgerController::ledgerChanged, _window, &LedgerWindow::refresh);
    connect(_window, &LedgerWindow::exportRequested, this, [this] { exportLedger(); });
  }
  _window->refresh();
  _window->show();
  _window->raise();
  _window->activateWindow();
}

void LedgerController::exportLedger() {
  const QString day = utf8Text(today());
  const auto range = _dialogs->prompt(
      QStringLiteral("Export Ledger"),
      QStringLiteral("The days to export, as FIRST to LAST (YYYY-MM-DD), or one day:"),
      day + QStringLiteral(" to ") + day, QStringLiteral("Export…"));
  if (!range) return;
  const QStringList parts = range->split(QStringLiteral("to"), Qt::SkipEmptyParts);
  const QString first = parts.value(0).trimmed();
  const QString last = parts.size() > 1 ? parts.value(1).trimmed() : first;
  if (!QDate::fromString(first, Qt::ISODate).isValid() ||
      !QDate::fromString(last, Qt::ISODate).isValid()) {
    _status->showAlert(
        QStringLiteral("Export Ledger"),
        QStringLiteral("Please give the days as YYYY-MM-DD, for example %1 to %1.").arg(day));
    return;
  }
  const QString target = _dialogs->chooseSaveFile(
      QStringLiteral("Export Ledger"), QStringLiteral("shot_ledger_%1_%2.csv").arg(first, last));
  if (target.isEmpty()) return;
  QFile out(target);
  const std::string text = _ledger.csv(first.toStdString(), last.toStdString());
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      out.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size())) {
    _status->showAlert(QStringLiteral("Export Ledger"),
                       QStringLiteral("The ledger could not be written to %1.").arg(target));
    return;
  }
  _status->setStatus(QStringLiteral("Ledger exported."), QStringLiteral("good"));
}
