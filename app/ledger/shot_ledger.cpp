#include "shot_ledger.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "atomic_file.h"
#include "csv_line.h"
#include "plural.h"

namespace vantrel::ledger {

namespace {

constexpr std::string_view kHeader = "Time,Camera File,Person,Saved As,Backup";

bool backupResolved(std::string_view backup) {
  return backup == kBackupOff || backup == kBackupCopied;
}

}  // namespace

ShotLedger::ShotLedger(std::filesystem::path file) : file_(std::move(file)) {}

bool ShotLedger::load() {
  rows_.clear();
  if (file_.empty()) return true;
  std::error_code error;
  if (!std::filesystem::exists(file_, error)) return !error;
  std::ifstream in(file_, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  names::forEachCsvRecordAfterHeader(text.str(), [this](std::vector<std::string>& cells) {
    cells.resize(5);
    LedgerRow row;
    row.time = std::move(cells[0]);
    row.cameraFile = std::move(cells[1]);
    row.person = std::move(cells[2]);
    row.savedAs = std::move(cells[3]);
    row.backup = std::move(cells[4]);
    rows_.push_back(std::move(row));
  });
  return true;
}

bool ShotLedger::save() const {
  if (file_.empty()) return true;
  return write_file_atomically(file_, csv({}, {}));
}

std::string ShotLedger::csv(std::string_view firstDay, std::string_view lastDay) const {
  std::string text(kHeader);
  text += '\n';
  for (const LedgerRow& row : rows_) {
    const std::string_view day = dayOf(row.time);
    if (!firstDay.empty() && day < firstDay) continue;
    if (!lastDay.empty() && day > lastDay) continue;
    for (const std::string* cell : {&row.time, &row.cameraFile, &row.person, &row.savedAs}) {
      text += names::csv_escape_cell(*cell);
      text += ',';
    }
    text += names::csv_escape_cell(row.backup);
    text += '\n';
  }
  return text;
}

std::size_t ShotLedger::announce(std::string time, std::int64_t nowMs) {
  LedgerRow row;
  row.time = std::move(time);
  row.stageSinceMs = nowMs;
  rows_.push_back(std::move(row));
  return rows_.size() - 1;
}

std::size_t ShotLedger::downloaded(std::optional<std::size_t> row, const std::string& path,
                                   std::string time, std::int64_t nowMs) {
  if (!row || *row >= rows_.size() || !rows_[*row].cameraFile.empty()) {
    row = announce(std::move(time), nowMs);
  }
  LedgerRow& shot = rows_[*row];
  shot.downloadPath = path;
  shot.cameraFile = std::filesystem::path(path).filename().string();
  shot.stageSinceMs = nowMs;
  return *row;
}

void ShotLedger::downloadFailed(std::size_t row, std::int64_t nowMs) {
  // Counted as long pending at once: the operator should look at the camera's card.
  if (row < rows_.size() && rows_[row].cameraFile.empty()) rows_[row].stageSinceMs = nowMs - 1;
}

std::size_t ShotLedger::filed(const std::string& downloadPath, const std::string& savedAs,
                              std::string person, std::string backup, std::string time,
                              std::int64_t nowMs) {
  std::optional<std::size_t> found;
  for (std::size_t i = rows_.size(); i-- > 0;) {
    if (rows_[i].downloadPath == downloadPath && rows_[i].savedAs.empty()) {
      found = i;
      break;
    }
  }
  const std::size_t index = found ? *found : downloaded(std::nullopt, downloadPath, time, nowMs);
  LedgerRow& shot = rows_[index];
  shot.savedAs = savedAs;
  shot.person = std::move(person);
  shot.backup = std::move(backup);
  shot.stageSinceMs = nowMs;
  return index;
}

std::optional<std::size_t> ShotLedger::rowSaved(const std::string& savedAs) const {
  for (std::size_t i = rows_.size(); i-- > 0;) {
    if (rows_[i].savedAs == savedAs) return i;
  }
  return std::nullopt;
}

bool ShotLedger::setBackup(const std::string& savedAs, const std::string& backup,
                           std::int64_t nowMs) {
  const auto index = rowSaved(savedAs);
  if (!index || rows_[*index].backup == backup) return false;
  rows_[*index].backup = backup;
  rows_[*index].stageSinceMs = nowMs;
  return true;
}

bool ShotLedger::renamed(const std::string& from, const std::string& to,
                         const std::string& person) {
  const auto index = rowSaved(from);
  if (!index) return false;
  rows_[*index].savedAs = to;
  if (!person.empty()) rows_[*index].person = person;
  return true;
}

Pending ShotLedger::pending(std::size_t row, std::int64_t nowMs, std::int64_t graceMs) const {
  const LedgerRow& shot = rows_.at(row);
  Pending waitingFor = Pending::None;
  if (shot.cameraFile.empty()) {
    waitingFor = Pending::Download;
  } else if (shot.savedAs.empty()) {
    waitingFor = Pending::Filing;
  } else if (!backupResolved(shot.backup)) {
    waitingFor = Pending::Backup;
  }
  if (waitingFor == Pending::None) return Pending::None;
  // A could-not-back-up photo waits for the operator, not for time.
  const bool failed = shot.backup.rfind(kBackupCouldNotPrefix, 0) == 0;
  const bool longPending = shot.stageSinceMs == 0 || nowMs - shot.stageSinceMs >= graceMs;
  return failed || longPending ? waitingFor : Pending::None;
}

std::size_t ShotLedger::unresolvedCount(std::string_view day, std::int64_t nowMs,
                                        std::int64_t graceMs) const {
  std::size_t count = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!day.empty() && dayOf(rows_[i].time) != day) continue;
    if (pending(i, nowMs, graceMs) != Pending::None) ++count;
  }
  return count;
}

std::string_view dayOf(std::string_view time) {
  return time.substr(0, std::min<std::size_t>(10, time.size()));
}

std::string unaccountedText(std::size_t count) {
  return counted(static_cast<long long>(count), "photo") + " not accounted for";
}

}  // namespace vantrel::ledger
