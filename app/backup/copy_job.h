// One backup copy, run off the main thread. The copy is written under a temporary name, checked
// by size, flushed to the disk and only then renamed to a free name, so a dropped connection
// never leaves a truncated file where a good one is expected, and a file already in the backup
// is never replaced: when it holds other bytes, the photo goes beside it under a numbered name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "copy_outcome.h"
#include "verified_copies.h"

namespace vantrel::backup {

struct CopyJob {
  std::uint64_t id = 0;                // tells a late slow-check or result from the current job
  std::string source;                  // the queue's head
  std::string backupDir;               // the backup folder when the job started
  std::string destination;             // where the source goes in it
  VerifiedCopies* verified = nullptr;  // the record of checked copies, if one is kept
};

// Copies the bytes of `from` to a new file `to`, created exclusively, and flushes it to the
// disk; false with `error` set on failure.
using FileCopier = std::function<bool(const std::filesystem::path& from,
                                      const std::filesystem::path& to, CopyError& error)>;
// Whether the backup folder can take copies now.
using FolderCheck = std::function<bool(const std::filesystem::path& folder)>;

bool copyFileContents(const std::filesystem::path& from, const std::filesystem::path& to,
                      CopyError& error);

// Runs the job. `backupFolderReachable` defaults to "is a folder"; for a folder on a network
// share the application also requires that it still lies on that share (a kernel mount point
// left behind when the share goes away is an empty local folder).
CopyResult runCopyJob(const CopyJob& job, const FileCopier& copy = copyFileContents,
                      const FolderCheck& backupFolderReachable = {});

}  // namespace vantrel::backup
