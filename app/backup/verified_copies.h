// The photos whose backup copies were checked byte for byte, so that a photo queued again (a
// restart, a folder scan) counts as backed up without reading both files once more. A record
// vouches only while the photo is unchanged and its copy is still there at the same size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "verified_journal.h"

namespace vantrel::backup {

// "backup_verified.plist", beside the queue file: the whole record as it was last written. The
// changes since then are appended to "backup_verified.journal" beside it.
inline constexpr const char* kVerifiedCopiesFileName = "backup_verified.plist";
inline constexpr const char* kVerifiedCopiesJournalName = "backup_verified.journal";

class VerifiedCopies {
 public:
  // A photo's size and modification time, which a record holds for as long as they stay.
  struct Stamp {
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
  };
  // Nothing when `path` is not a regular file.
  static std::optional<Stamp> stampOf(const std::filesystem::path& path);

  // An empty `file` keeps the record in memory only; otherwise its journal is the file's name
  // with the extension ".journal".
  explicit VerifiedCopies(std::filesystem::path file);

  // Replaces the record with the file's and its journal's; a missing or unreadable file leaves
  // it empty. A journal with anything in it is folded into the file.
  void load();

  // Where the backup holds `source`'s bytes, when the record says so and still holds.
  std::optional<std::filesystem::path> vouchedCopy(const std::filesystem::path& source) const;

  // Notes that `backupPath` holds `source`'s exact bytes, with the photo's size and
  // modification time as they are now. Every change is saved as it is made.
  void record(const std::filesystem::path& source, const std::filesystem::path& backupPath);
  // The same with the photo's stamp taken before its bytes were read for the copy, so that a
  // photo changed since then is not vouched for; no stamp forgets the photo.
  void record(const std::filesystem::path& source, const std::filesystem::path& backupPath,
              const std::optional<Stamp>& photo);
  void forget(const std::filesystem::path& source);

  // A photo folder (or a backup folder) renamed or moved: every photo and copy inside
  // `oldFolder`, by whole path components, now lies at the same place inside `newFolder`.
  void renamePrefix(const std::filesystem::path& oldFolder, const std::filesystem::path& newFolder);

  // One photo renamed or moved: its record follows it (its copy in the backup stays where it is).
  void renamePhoto(const std::filesystem::path& from, const std::filesystem::path& to);

  std::size_t size() const;

 private:
  struct Entry {
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
    std::filesystem::path backup;
  };

  // False when the change changes nothing.
  bool apply(const JournalEntry& change);
  // Applies and saves a change; with `mutex_` held.
  void change(const JournalEntry& change);
  // Writes the whole record and empties the journal; with `mutex_` held.
  void writeWhole();

  const std::filesystem::path file_;
  mutable std::mutex mutex_;
  std::map<std::string, Entry> entries_;  // by the photo's path
  VerifiedJournal journal_;
  // A change could not be appended: the next one writes the whole record instead.
  bool journalBroken_ = false;
};

}  // namespace vantrel::backup
