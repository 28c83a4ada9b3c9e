// Finds the volume of a folder on Linux: a GVfs share by its folder name, anything else by the
// deepest mount in /proc/self/mountinfo (a kernel CIFS mount reads "//server/share" there).
#pragma once

#include <filesystem>

#include "mount_locator.h"

namespace vantrel::platform {

class LinuxMountLocator : public MountLocator {
 public:
  // `runtimeDir` is $XDG_RUNTIME_DIR (GVfs mounts live in its "gvfs" folder); empty when unset.
  LinuxMountLocator(std::filesystem::path mountInfoFile, std::filesystem::path runtimeDir);

  // The system's own mount table and the user's runtime folder.
  static LinuxMountLocator forThisProcess();

  std::optional<MountSource> mountSourceOf(const std::filesystem::path& folder) override;

 private:
  std::filesystem::path mountInfoFile_;
  std::filesystem::path runtimeDir_;
};

// $XDG_RUNTIME_DIR, or an empty path when it is not set.
std::filesystem::path userRuntimeDir();

}  // namespace vantrel::platform
