#include "failed_backups.h"

#include <algorithm>

#include "atomic_file.h"
#include "string_array_plist.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

FailedBackups::FailedBackups(fs::path file) : file_(std::move(file)) {}

fs::path FailedBackups::besideQueueFile(const fs::path& queueFile) {
  if (queueFile.empty()) return {};
  return queueFile.parent_path() / "backup_failed.plist";
}

void FailedBackups::load() {
  entries_.clear();
  if (file_.empty()) return;
  // Stored as path, reason, path, reason, ...
  const std::vector<std::string> strings = readStringArrayPlistFile(file_);
  // Read back without writing: the file already holds exactly this.
  for (std::size_t i = 0; i + 1 < strings.size(); i += 2) put(strings[i], strings[i + 1]);
}

void FailedBackups::save() const {
  if (file_.empty()) return;
  std::vector<std::string> strings;
  for (const FailedBackup& entry : entries_) {
    strings.push_back(entry.path);
    strings.push_back(entry.reason);
  }
  // A list that cannot be written costs only its memory across a restart: the photos stay in the
  // target folder, and "Back Up Missing Files Now…" finds them again.
  write_file_atomically(file_, formatStringArrayPlist(strings));
}

void FailedBackups::put(const std::string& path, std::string reason) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const FailedBackup& entry) { return entry.path == path; });
  if (found != entries_.end()) {
    found->reason = std::move(reason);
  } else {
    entries_.push_back({path, std::move(reason)});
  }
}

void FailedBackups::add(const std::string& path, std::string reason) {
  put(path, std::move(reason));
  save();
}

bool FailedBackups::remove(const std::string& path) {
  const auto before = entries_.size();
  std::erase_if(entries_, [&](const FailedBackup& entry) { return entry.path == path; });
  if (entries_.size() == before) return false;
  save();
  return true;
}

void FailedBackups::clear() {
  entries_.clear();
  save();
}

bool FailedBackups::rename(const std::string& from, const std::string& to) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const FailedBackup& entry) { return entry.path == from; });
  if (found == entries_.end()) return false;
  found->path = to;
  save();
  return true;
}

bool FailedBackups::contains(const std::string& path) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const FailedBackup& entry) { return entry.path == path; });
}

}  // namespace vantrel::backup
