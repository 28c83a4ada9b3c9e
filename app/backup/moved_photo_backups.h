// Photos moved one by one to another folder of the target folder (photos refiled for another
// person): their backups follow them. A copy the record vouches for moves along inside the backup
// folder to the photo's new place there, never replacing a file, and the record follows it. Every
// other photo is forgotten by the record and queued, so that it is copied afresh under its new
// name: a photo never counts as backed up by a copy under its old name. An old copy that could
// not move stays where it is; nothing in the backup is deleted.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "backup_coordinator.h"

namespace vantrel::backup {

// `moves` holds (old path, new path) pairs. Queue entries and the could-not-back-up list follow
// the new paths too. True when the queue got new entries: call processBackupQueue() next.
bool followMovedPhotos(BackupCoordinator& backup,
                       const std::vector<std::pair<std::string, std::string>>& moves);

}  // namespace vantrel::backup
