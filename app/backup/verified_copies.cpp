#include "verified_copies.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <vector>

#include "atomic_file.h"
#include "path_inside.h"
#include "string_array_plist.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

namespace {

// Each entry is four strings in a row: photo, size, modification time in ns, backup copy.
constexpr std::size_t kFieldsPerEntry = 4;

template <typename Number>
std::optional<Number> parseNumber(const std::string& text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The journal is written whole into the file once it has this many lines, or as many as the record
// has entries if that is more, so that neither grows without end nor is rewritten often.
constexpr std::size_t kJournalLinesBeforeWritingWhole = 1000;

fs::path journalFor(const fs::path& file) {
  return file.empty() ? fs::path() : fs::path(file).replace_extension(".journal");
}

// `path` moved along with `oldFolder`, or nothing when it lies elsewhere.
std::optional<fs::path> moved(const fs::path& path, const fs::path& oldFolder,
                              const fs::path& newFolder) {
  const std::optional<fs::path> inside = relative_path_inside(oldFolder, path);
  if (!inside) return std::nullopt;
  return inside->empty() ? newFolder : newFolder / *inside;
}

}  // namespace

std::optional<VerifiedCopies::Stamp> VerifiedCopies::stampOf(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return Stamp{
      static_cast<std::uintmax_t>(info.st_size),
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

VerifiedCopies::VerifiedCopies(fs::path file) : file_(file), journal_(journalFor(file)) {}

void VerifiedCopies::load() {
  std::map<std::string, Entry> loaded;
  std::vector<JournalEntry> changes;
  bool journalHeldAnything = false;
  if (!file_.empty()) {
    const std::vector<std::string> fields = readStringArrayPlistFile(file_);
    for (std::size_t at = 0; at + kFieldsPerEntry <= fields.size(); at += kFieldsPerEntry) {
      const auto size = parseNumber<std::uintmax_t>(fields[at + 1]);
      const auto modified = parseNumber<std::int64_t>(fields[at + 2]);
      if (fields[at].empty() || !size || !modified || fields[at + 3].empty()) continue;
      loaded[fields[at]] = Entry{*size, *modified, fs::path{fields[at + 3]}};
    }
    changes = journal_.read(journalHeldAnything);
  }
  const std::lock_guard lock(mutex_);
  entries_ = std::move(loaded);
  for (const JournalEntry& change : changes) apply(change);
  journalBroken_ = false;
  if (journalHeldAnything) writeWhole();
}

std::optional<fs::path> VerifiedCopies::vouchedCopy(const fs::path& source) const {
  Entry entry;
  {
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(source.native());
    if (found == entries_.end()) return std::nullopt;
    entry = found->second;
  }
  const std::optional<Stamp> photo = stampOf(source);
  if (!photo || photo->size != entry.size || photo->modifiedNs != entry.modifiedNs)
    return std::nullopt;
  const std::optional<Stamp> copy = stampOf(entry.backup);
  if (!copy || copy->size != entry.size) return std::nullopt;
  return entry.backup;
}

void VerifiedCopies::record(const fs::path& source, const fs::path& backupPath) {
  record(source, backupPath, stampOf(source));
}

void VerifiedCopies::record(const fs::path& source, const fs::path& backupPath,
                            const std::optional<Stamp>& photo) {
  const std::lock_guard lock(mutex_);
  if (photo) {
    change({JournalEntry::Kind::Record, source.native(), backupPath.native(), photo->size,
            photo->modifiedNs});
  } else {
    change({JournalEntry::Kind::Forget, source.native(), {}, 0, 0});
  }
}

void VerifiedCopies::forget(const fs::path& source) {
  const std::lock_guard lock(mutex_);
  change({JournalEntry::Kind::Forget, source.native(), {}, 0, 0});
}

void VerifiedCopies::renamePrefix(const fs::path& oldFolder, const fs::path& newFolder) {
  const std::lock_guard lock(mutex_);
  change({JournalEntry::Kind::RenameFolder, oldFolder.native(), newFolder.native(), 0, 0});
}

void VerifiedCopies::renamePhoto(const fs::path& from, const fs::path& to) {
  const std::lock_guard lock(mutex_);
  change({JournalEntry::Kind::RenamePhoto, from.native(), to.native(), 0, 0});
}

std::size_t VerifiedCopies::size() const {
  const std::lock_guard lock(mutex_);
  return entries_.size();
}

bool VerifiedCopies::apply(const JournalEntry& change) {
  switch (change.kind) {
    case JournalEntry::Kind::Record:
      entries_[change.path] = Entry{change.size, change.modifiedNs, fs::path{change.other}};
      return true;
    case JournalEntry::Kind::Forget:
      return entries_.erase(change.path) != 0;
    case JournalEntry::Kind::RenameFolder: {
      const fs::path oldFolder{change.path};
      const fs::path newFolder{change.other};
      std::map<std::string, Entry> renamed;
      bool changed = false;
      for (auto& [source, entry] : entries_) {
        std::optional<fs::path> newSource = moved(fs::path{source}, oldFolder, newFolder);
        if (std::optional<fs::path> newBackup = moved(entry.backup, oldFolder, newFolder)) {
          entry.backup = std::move(*newBackup);
          changed = true;
        }
        changed = changed || newSource.has_value();
        renamed[newSource ? newSource->native() : source] = std::move(entry);
      }
      entries_ = std::move(renamed);
      return changed;
    }
    case JournalEntry::Kind::RenamePhoto: {
      auto found = entries_.find(change.path);
      if (found == entries_.end() || change.path == change.other) return false;
      Entry entry = std::move(found->second);
      entries_.erase(found);
      entries_[change.other] = std::move(entry);
      return true;
    }
  }
  return false;
}

void VerifiedCopies::change(const JournalEntry& change) {
  if (!apply(change) || file_.empty()) return;
  const bool journalFull =
      journal_.appended() >= std::max(kJournalLinesBeforeWritingWhole, entries_.size());
  // A line that could not be written whole may have left a torn one behind, which would hide
  // every later line: the whole record is written instead.
  if (journalBroken_ || journalFull || !journal_.append(change)) writeWhole();
}

void VerifiedCopies::writeWhole() {
  // The journal is emptied first: a crash in between loses changes (the copies are compared
  // again), where the other order could apply changes twice.
  journalBroken_ = true;
  if (!journal_.clear()) return;
  std::vector<std::string> fields;
  fields.reserve(entries_.size() * kFieldsPerEntry);
  for (const auto& [source, entry] : entries_) {
    fields.push_back(source);
    fields.push_back(std::to_string(entry.size));
    fields.push_back(std::to_string(entry.modifiedNs));
    fields.push_back(entry.backup.native());
  }
  // An unwritable file costs only the shortcut after a restart: the copies are compared again.
  journalBroken_ = !write_file_atomically(file_, formatStringArrayPlist(fields));
}

}  // namespace vantrel::backup
