#include "verified_copies.h"

#include <sys/stat.h>

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

struct Stamp {
  std::uintmax_t size = 0;
  std::int64_t modifiedNs = 0;
};

std::optional<Stamp> stampOf(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return Stamp{
      static_cast<std::uintmax_t>(info.st_size),
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

template <typename Number>
std::optional<Number> parseNumber(const std::string& text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// `path` moved along with `oldFolder`, or nothing when it lies elsewhere.
std::optional<fs::path> moved(const fs::path& path, const fs::path& oldFolder,
                              const fs::path& newFolder) {
  const std::optional<fs::path> inside = relative_path_inside(oldFolder, path);
  if (!inside) return std::nullopt;
  return inside->empty() ? newFolder : newFolder / *inside;
}

}  // namespace

VerifiedCopies::VerifiedCopies(fs::path file) : file_(std::move(file)) {}

void VerifiedCopies::load() {
  std::map<std::string, Entry> loaded;
  if (!file_.empty()) {
    const std::vector<std::string> fields = readStringArrayPlistFile(file_);
    for (std::size_t at = 0; at + kFieldsPerEntry <= fields.size(); at += kFieldsPerEntry) {
      const auto size = parseNumber<std::uintmax_t>(fields[at + 1]);
      const auto modified = parseNumber<std::int64_t>(fields[at + 2]);
      if (fields[at].empty() || !size || !modified || fields[at + 3].empty()) continue;
      loaded[fields[at]] = Entry{*size, *modified, fs::path{fields[at + 3]}};
    }
  }
  const std::lock_guard lock(mutex_);
  entries_ = std::move(loaded);
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
  const std::optional<Stamp> photo = stampOf(source);
  {
    const std::lock_guard lock(mutex_);
    if (photo) {
      entries_[source.native()] = Entry{photo->size, photo->modifiedNs, backupPath};
    } else if (entries_.erase(source.native()) == 0) {
      return;
    }
    ++version_;
  }
  save();
}

void VerifiedCopies::forget(const fs::path& source) {
  {
    const std::lock_guard lock(mutex_);
    if (entries_.erase(source.native()) == 0) return;
    ++version_;
  }
  save();
}

void VerifiedCopies::renamePrefix(const fs::path& oldFolder, const fs::path& newFolder) {
  {
    const std::lock_guard lock(mutex_);
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
    if (!changed) return;
    ++version_;
  }
  save();
}

void VerifiedCopies::renamePhoto(const fs::path& from, const fs::path& to) {
  {
    const std::lock_guard lock(mutex_);
    auto found = entries_.find(from.native());
    if (found == entries_.end()) return;
    Entry entry = std::move(found->second);
    entries_.erase(found);
    entries_[to.native()] = std::move(entry);
    ++version_;
  }
  save();
}

std::size_t VerifiedCopies::size() const {
  const std::lock_guard lock(mutex_);
  return entries_.size();
}

void VerifiedCopies::save() {
  if (file_.empty()) return;
  std::vector<std::string> fields;
  std::uint64_t version = 0;
  {
    const std::lock_guard lock(mutex_);
    version = version_;
    fields.reserve(entries_.size() * kFieldsPerEntry);
    for (const auto& [source, entry] : entries_) {
      fields.push_back(source);
      fields.push_back(std::to_string(entry.size));
      fields.push_back(std::to_string(entry.modifiedNs));
      fields.push_back(entry.backup.native());
    }
  }
  const std::lock_guard lock(saveMutex_);
  if (version <= savedVersion_) return;
  // An unwritable file costs only the shortcut after a restart: the copies are compared again.
  if (write_file_atomically(file_, formatStringArrayPlist(fields))) savedVersion_ = version;
}

}  // namespace vantrel::backup
