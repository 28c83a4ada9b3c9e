// Which mounted volume holds a folder, and where that volume comes from. Tests replace the
// system's answer with a fake or a mount table they wrote.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vantrel::platform {

struct MountSource {
  std::string source;          // "//server/share" for a network share, "/dev/sda1" for a disk
  std::string fileSystemType;  // "cifs", "smb3", "ext4", ...
  std::filesystem::path mountPoint;
};

class MountLocator {
 public:
  virtual ~MountLocator() = default;
  // The volume holding `folder`, or nothing when the folder cannot be reached.
  virtual std::optional<MountSource> mountSourceOf(const std::filesystem::path& folder) = 0;
};

}  // namespace vantrel::platform
