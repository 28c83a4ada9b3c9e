#include "share_info.h"

namespace vantrel::backup {

namespace {

bool isNetworkSource(std::string_view source) {
  return source.starts_with("//");
}

bool onMountPoint(const std::filesystem::path& folder, const std::filesystem::path& mountPoint,
                  platform::MountLocator& locator) {
  return mountPointOf(folder, locator).lexically_normal() == mountPoint.lexically_normal();
}

}  // namespace

ShareCapture captureBackupShareInfo(const std::string& backupDir, platform::MountLocator& locator) {
  if (backupDir.empty()) return {};
  const std::optional<platform::MountSource> mount = locator.mountSourceOf(backupDir);
  if (!mount) return {};
  if (!isNetworkSource(mount->source)) return {ShareCapture::Action::Forget, {}, {}};
  const std::string scheme = mount->fileSystemType == "afpfs" ? "afp" : "smb";
  return {ShareCapture::Action::Record, scheme + ":" + mount->source,
          hostFromMountSource(mount->source)};
}

std::string hostFromMountSource(std::string_view mountSource) {
  std::string_view host = mountSource;
  if (host.starts_with("//")) host.remove_prefix(2);
  host = host.substr(0, host.find('/'));
  if (const std::size_t at = host.rfind('@'); at != std::string_view::npos)
    host.remove_prefix(at + 1);
  return std::string(host.substr(0, host.find(':')));
}

bool folderIsOnNetworkShare(const std::filesystem::path& folder, platform::MountLocator& locator) {
  const std::optional<platform::MountSource> mount = locator.mountSourceOf(folder);
  return mount && isNetworkSource(mount->source);
}

std::filesystem::path mountPointOf(const std::filesystem::path& folder,
                                   platform::MountLocator& locator) {
  const std::optional<platform::MountSource> mount = locator.mountSourceOf(folder);
  return mount ? mount->mountPoint : std::filesystem::path();
}

bool backupFolderReachable(const std::filesystem::path& folder,
                           const std::filesystem::path& recordedMountPoint, bool onShare,
                           platform::MountLocator& locator) {
  std::error_code ignored;
  if (!std::filesystem::is_directory(folder, ignored)) return false;
  if (onShare && !folderIsOnNetworkShare(folder, locator)) return false;
  return recordedMountPoint.empty() || onMountPoint(folder, recordedMountPoint, locator);
}

TargetFolderState targetFolderState(const std::filesystem::path& folder,
                                    const std::filesystem::path& recordedMountPoint,
                                    platform::MountLocator& locator) {
  std::error_code ignored;
  if (!std::filesystem::is_directory(folder, ignored)) return TargetFolderState::Away;
  if (recordedMountPoint.empty()) return TargetFolderState::Present;
  return onMountPoint(folder, recordedMountPoint, locator) ? TargetFolderState::OnItsDrive
                                                           : TargetFolderState::Away;
}

}  // namespace vantrel::backup
