// The shot ledger: one row per photo the camera announced, following it through download, filing
// and backup, so that a shoot day can show that every shutter press arrived. Kept as CSV
// (UTF-8, header "Time,Camera File,Person,Saved As,Backup") beside the grid store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::ledger {

// Backup column values besides "could not: <reason>".
inline constexpr std::string_view kBackupOff = "off";
inline constexpr std::string_view kBackupWaiting = "waiting";
inline constexpr std::string_view kBackupCopied = "copied";
inline constexpr std::string_view kBackupCouldNotPrefix = "could not: ";

struct LedgerRow {
  std::string time;        // when the camera announced it, ISO 8601 with the UTC offset
  std::string cameraFile;  // the name it was downloaded under; empty until downloaded
  std::string person;
  std::string savedAs;  // the filed photo's path; empty until filed
  std::string backup;   // empty until filed

  // Not stored: the download's path, and when the row last moved on (ms, 0 for rows read from
  // the file, which count as long pending).
  std::string downloadPath;
  std::int64_t stageSinceMs = 0;
};

enum class Pending { None, Download, Filing, Backup };

class ShotLedger {
 public:
  // An empty `file` keeps the ledger in memory only.
  explicit ShotLedger(std::filesystem::path file = {});

  // Reads the file's rows; a missing file is an empty ledger. False when it cannot be read.
  bool load();
  // Writes every row atomically. False when the file cannot be written.
  bool save() const;

  // A new row for a photo the camera announced; its index.
  std::size_t announce(std::string time, std::int64_t nowMs);
  // The photo of row `row` (or of a new row when none is known, as for a worker that gives no
  // event id) was downloaded to `path`.
  std::size_t downloaded(std::optional<std::size_t> row, const std::string& path, std::string time,
                         std::int64_t nowMs);
  // A download of row `row` failed: the row stays waiting for it.
  void downloadFailed(std::size_t row, std::int64_t nowMs);
  // The photo downloaded to `downloadPath` was filed as `savedAs` for `person`; a photo the
  // ledger never saw (left from a crash) gets a row of its own.
  std::size_t filed(const std::string& downloadPath, const std::string& savedAs, std::string person,
                    std::string backup, std::string time, std::int64_t nowMs);
  // The backup state of the row holding `savedAs`; true when it changed.
  bool setBackup(const std::string& savedAs, const std::string& backup, std::int64_t nowMs);
  // Photos renamed or moved (old path, new path), with the person they now belong to when known.
  bool renamed(const std::string& from, const std::string& to, const std::string& person);

  // What row `row` still waits for, after `graceMs` at its stage.
  Pending pending(std::size_t row, std::int64_t nowMs, std::int64_t graceMs) const;
  std::size_t unresolvedCount(std::string_view day, std::int64_t nowMs, std::int64_t graceMs) const;

  // The CSV of the rows whose day (the date part of Time) lies in [firstDay, lastDay].
  std::string csv(std::string_view firstDay, std::string_view lastDay) const;

  const std::vector<LedgerRow>& rows() const { return rows_; }
  const std::filesystem::path& file() const { return file_; }

 private:
  std::optional<std::size_t> rowSaved(const std::string& savedAs) const;

  std::filesystem::path file_;
  std::vector<LedgerRow> rows_;
};

// The date part ("2026-12-08") of a row's time.
std::string_view dayOf(std::string_view time);

// "1 photo not accounted for", "3 photos not accounted for".
std::string unaccountedText(std::size_t count);

}  // namespace vantrel::ledger
