// The changes to the record of verified copies since it was last written whole, one line each,
// appended as they happen ("backup_verified.journal" beside "backup_verified.plist"), so that a
// copy costs a short append instead of a rewrite of the whole record. Each line carries a check
// sum: a line cut short by a crash, and anything after it, is not read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::backup {

struct JournalEntry {
  enum class Kind {
    Record,        // `path` has `size` and `modifiedNs`, and its bytes are at `other`
    Forget,        // nothing is known of `path` any more
    RenameFolder,  // everything inside the folder `path` now lies inside `other`
    RenamePhoto,   // the photo `path` is now `other`
  };
  Kind kind = Kind::Record;
  std::string path;
  std::string other;
  std::uintmax_t size = 0;
  std::int64_t modifiedNs = 0;
};

// One line, with its line break; any bytes in the paths.
std::string formatJournalLine(const JournalEntry& entry);
// The entry of a line without its line break, or nothing when the line is damaged.
std::optional<JournalEntry> parseJournalLine(std::string_view line);

class VerifiedJournal {
 public:
  explicit VerifiedJournal(std::filesystem::path file);
  ~VerifiedJournal();
  VerifiedJournal(const VerifiedJournal&) = delete;
  VerifiedJournal& operator=(const VerifiedJournal&) = delete;

  // The entries in the order they were written, up to the first line that is damaged or cut off.
  // `anything` tells whether the file held any bytes at all.
  std::vector<JournalEntry> read(bool& anything) const;
  // False when the line could not be written whole.
  bool append(const JournalEntry& entry);
  // Empties the file, on the disk before it returns (the whole record is written next); false
  // when that failed.
  bool clear();
  // Lines appended by this object since the file was last emptied.
  std::size_t appended() const { return appended_; }

 private:
  bool open();

  const std::filesystem::path file_;
  int fd_ = -1;
  std::size_t appended_ = 0;
};

}  // namespace vantrel::backup
