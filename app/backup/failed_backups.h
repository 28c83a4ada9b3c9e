// Photos that can never be copied to the backup as they are (empty, unreadable, a name the backup
// drive refuses, deleted before their copy): kept with the reason, out of the queue so that they
// never hold up the photos behind them, until the operator retries or removes them. Stored in
// "backup_failed.plist" beside the queue file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace vantrel::backup {

struct FailedBackup {
  std::string path;
  std::string reason;
  bool operator==(const FailedBackup&) const = default;
};

class FailedBackups {
 public:
  // With an empty path the list lives in memory only.
  explicit FailedBackups(std::filesystem::path file = {});

  // "<folder of the queue file>/backup_failed.plist".
  static std::filesystem::path besideQueueFile(const std::filesystem::path& queueFile);

  void load();
  // Adds `path` with `reason`, or gives a listed path its new reason.
  void add(const std::string& path, std::string reason);
  bool remove(const std::string& path);
  void clear();
  // A listed photo was renamed or moved; true when `from` was listed.
  bool rename(const std::string& from, const std::string& to);

  bool contains(const std::string& path) const;
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  const std::vector<FailedBackup>& entries() const { return entries_; }

 private:
  // Adds or updates an entry in memory only.
  void put(const std::string& path, std::string reason);
  void save() const;

  std::filesystem::path file_;
  std::vector<FailedBackup> entries_;
};

}  // namespace vantrel::backup
