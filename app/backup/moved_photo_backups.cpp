#include "moved_photo_backups.h"

#include <filesystem>
#include <system_error>

#include "backup_paths.h"
#include "no_replace_rename.h"
#include "path_inside.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

namespace {

// Moves `copy`, the verified copy of the photo now at `photo`, to the photo's place in the
// backup folder. False when it cannot: backup off, a copy kept outside the current backup folder
// (an earlier one), the drive away, or the name taken.
bool moveCopyAlong(const BackupCoordinator& backup, const fs::path& copy, const fs::path& photo,
                   fs::path& destination) {
  if (!backup.enabled() || backup.backupDir().empty() || backup.targetDir().empty()) return false;
  if (!relative_path_inside(backup.backupDir(), copy)) return false;
  // The drive is away: nothing may be created where its folder should be.
  std::error_code error;
  if (!fs::is_directory(backup.backupDir(), error)) return false;
  destination = backupDestForSource(photo.native(), backup.targetDir(), backup.backupDir());
  if (destination == copy) return true;
  fs::create_directories(destination.parent_path(), error);
  return rename_no_replace(copy, destination, error);
}

}  // namespace

bool followMovedPhotos(BackupCoordinator& backup,
                       const std::vector<std::pair<std::string, std::string>>& moves) {
  VerifiedCopies& verified = *backup.verifiedCopies();
  std::vector<std::string> needCopies;
  for (const auto& [from, to] : moves) {
    // The photo is already at its new path: the record is asked about it there.
    verified.renamePhoto(from, to);
    const std::optional<fs::path> copy = verified.vouchedCopy(to);
    fs::path destination;
    if (copy && moveCopyAlong(backup, *copy, to, destination)) {
      verified.record(to, destination);
    } else {
      verified.forget(to);
      needCopies.push_back(to);
    }
  }
  backup.photosRenamed(moves);
  bool queued = false;
  for (const std::string& photo : needCopies) queued = backup.backupSavedFile(photo) || queued;
  return queued;
}

}  // namespace vantrel::backup
