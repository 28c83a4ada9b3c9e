#include "linux_share_mounter.h"

#include <fstream>
#include <iterator>

#include "mount_table.h"
#include "path_inside.h"

namespace vantrel::platform {

namespace fs = std::filesystem;

LinuxShareMounter::LinuxShareMounter(CommandRunner& runner, fs::path runtimeDir, fs::path fstabFile)
    : runner_(runner), runtimeDir_(std::move(runtimeDir)), fstabFile_(std::move(fstabFile)) {}

bool LinuxShareMounter::mountShare(const std::string& shareUrl, const fs::path& backupDir) {
  // While the share is away its folder is gone, so only the path itself tells how it was
  // mounted.
  if (!runtimeDir_.empty() && relative_path_inside(runtimeDir_ / "gvfs", backupDir))
    return runner_.run("gio", {"mount", shareUrl}).succeeded();

  std::ifstream file(fstabFile_);
  if (!file) return false;
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  // Only a network entry: the root file system holds every path too.
  const std::optional<MountSource> entry = MountTable::fromFstab(text).containing(
      backupDir, [](const MountSource& mount) { return mount.source.rfind("//", 0) == 0; });
  if (!entry) return false;
  return runner_.run("mount", {entry->mountPoint.string()}).succeeded();
}

}  // namespace vantrel::platform
