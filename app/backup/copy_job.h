// Backup copies, run off the main thread. A copy is written under a temporary name, checked by
// size, flushed to the disk and only then renamed to a free name, so a dropped connection never
// leaves a truncated file where a good one is expected, and a file already in the backup is never
// replaced: when it holds other bytes, the photo goes beside it under a numbered name.
//
// The photos at the head of the queue are copied as one run: every copy of the run is written
// first, so that the drive writes them back together, then each is flushed and renamed in turn,
// and each folder that got a new name is flushed once, after the last rename into it. Only then
// does a photo count as copied.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "copy_outcome.h"
#include "verified_copies.h"

namespace vantrel::backup {

// One photo to copy.
struct CopyJob {
  std::string source;                  // a queue entry
  std::string backupDir;               // the backup folder when the run started
  std::string destination;             // where the source goes in it
  VerifiedCopies* verified = nullptr;  // the record of checked copies, if one is kept
  std::string targetDir;               // the target folder when the run started
};

// How many steps of a run are done (a copy written, a copy in place), for the slow check.
using RunProgress = std::atomic<std::uint64_t>;

// The entries at the head of the queue, copied in one go.
struct CopyRun {
  std::uint64_t id = 0;  // tells a late slow-check or result from the current run
  std::vector<CopyJob> jobs;
  std::shared_ptr<RunProgress> progress;  // counted by the run when set
};

// At most this many photos go into one run, and no further photo is started once the run has
// written this many bytes: the queue's count and the progress move on after every run, and a
// photo left out simply waits for the next one.
inline constexpr std::size_t kMostPhotosPerRun = 16;
inline constexpr std::uintmax_t kMostBytesPerRun = std::uintmax_t{256} << 20;

// Copies the bytes of `from` to a new file `to`, created exclusively; false with `error` set on
// failure. The run flushes the copy itself before it renames it.
using FileCopier = std::function<bool(const std::filesystem::path& from,
                                      const std::filesystem::path& to, CopyError& error)>;
// Whether the backup folder can take copies now.
using FolderCheck = std::function<bool(const std::filesystem::path& folder)>;

// Where the target folder stands: missing, or on another mount point than the one recorded for it
// (an unplugged drive's mount point left behind); there, on the recorded mount point; or there,
// with no mount point recorded to tell which drive it is on.
enum class TargetFolderState { Away, OnItsDrive, Present };
using TargetCheck = std::function<TargetFolderState(const std::filesystem::path& targetFolder)>;

bool copyFileContents(const std::filesystem::path& from, const std::filesystem::path& to,
                      CopyError& error);

// Runs the photos of a run in order and returns their results, one for each photo attempted
// (never none): the run ends early after a result that pauses the backup (pausesBackup), and
// when kMostBytesPerRun is reached; the photos after that wait in the queue.
// `backupFolderReachable` defaults to "is a folder"; the application also requires that the
// folder still lies on the mount point, and the share, where it was chosen. `targetFolder`
// defaults to Present for a folder and Away otherwise: a photo that is gone or cannot be read
// while the target folder is away waits for it (TargetAway); one gone while its drive is there
// was deleted (SourceMissing).
std::vector<CopyResult> runCopyJobs(const CopyRun& run, const FileCopier& copy = copyFileContents,
                                    const FolderCheck& backupFolderReachable = {},
                                    const TargetCheck& targetFolder = {});

// A run of one photo.
CopyResult runCopyJob(const CopyJob& job, const FileCopier& copy = copyFileContents,
                      const FolderCheck& backupFolderReachable = {},
                      const TargetCheck& targetFolder = {});

}  // namespace vantrel::backup
