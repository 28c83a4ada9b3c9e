// A table of mounts read from /proc/self/mountinfo (what is mounted now) or /etc/fstab (what
// can be mounted by its mount point).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "mount_locator.h"

namespace vantrel::platform {

class MountTable {
 public:
  static MountTable fromMountInfo(std::string_view text);
  static MountTable fromFstab(std::string_view text);

  const std::vector<MountSource>& entries() const { return entries_; }

  // The entry whose mount point is the deepest folder holding `path` (by whole path
  // components); of equal ones the last, as a later mount hides an earlier one. Only entries
  // that `accept` admits are considered.
  std::optional<MountSource> containing(
      const std::filesystem::path& path,
      const std::function<bool(const MountSource&)>& accept = {}) const;

 private:
  std::vector<MountSource> entries_;
};

}  // namespace vantrel::platform
