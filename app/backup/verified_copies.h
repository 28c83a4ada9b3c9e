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

namespace vantrel::backup {

// "backup_verified.plist", beside the queue file.
inline constexpr const char* kVerifiedCopiesFileName = "backup_verified.plist";

class VerifiedCopies {
 public:
  // An empty `file` keeps the record in memory only.
  explicit VerifiedCopies(std::filesystem::path file);

  // Replaces the record with the file's; a missing or unreadable file leaves it empty.
  void load();

  // Where the backup holds `source`'s bytes, when the record says so and still holds.
  std::optional<std::filesystem::path> vouchedCopy(const std::filesystem::path& source) const;

  // Notes that `backupPath` holds `source`'s exact bytes, with the photo's size and
  // modification time as they are now, and saves the record.
  void record(const std::filesystem::path& source, const std::filesystem::path& backupPath);
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

  // Writes the record as it is now, unless a newer state was written meanwhile.
  void save();

  const std::filesystem::path file_;
  mutable std::mutex mutex_;
  std::map<std::string, Entry> entries_;  // by the photo's path
  std::uint64_t version_ = 0;
  std::mutex saveMutex_;
  std::uint64_t savedVersion_ = 0;
};

}  // namespace vantrel::backup
