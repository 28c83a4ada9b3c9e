#include "linux_mount_locator.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "gvfs_share.h"
#include "mount_table.h"

namespace vantrel::platform {

namespace fs = std::filesystem;

std::filesystem::path userRuntimeDir() {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  return dir ? fs::path(dir) : fs::path();
}

LinuxMountLocator::LinuxMountLocator(fs::path mountInfoFile, fs::path runtimeDir)
    : mountInfoFile_(std::move(mountInfoFile)), runtimeDir_(std::move(runtimeDir)) {}

LinuxMountLocator LinuxMountLocator::forThisProcess() {
  return LinuxMountLocator("/proc/self/mountinfo", userRuntimeDir());
}

std::optional<MountSource> LinuxMountLocator::mountSourceOf(const fs::path& folder) {
  // Like statfs: a folder that cannot be reached has no volume, and symbolic links lead to the
  // volume that really holds it.
  std::error_code error;
  const fs::path real = fs::canonical(folder, error);
  if (error) return std::nullopt;

  if (!runtimeDir_.empty()) {
    const fs::path gvfsRoot = fs::weakly_canonical(runtimeDir_ / "gvfs", error);
    if (!error) {
      if (std::optional<MountSource> share = gvfsShareOf(real, gvfsRoot)) return share;
    }
  }

  std::ifstream file(mountInfoFile_);
  if (!file) return std::nullopt;
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return MountTable::fromMountInfo(text).containing(real);
}

}  // namespace vantrel::platform
