// One backup copy, run off the main thread: the copy is written under a temporary name,
// checked by size, and only then renamed over the final name, so a dropped connection never
// leaves a truncated file where a good one is expected.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

namespace vantrel::backup {

struct CopyJob {
  std::uint64_t id = 0;     // tells a late slow-check or result from the current job
  std::string source;       // the queue's head
  std::string backupDir;    // the backup folder when the job started
  std::string destination;  // where the source goes in it
};

enum class CopyOutcome {
  Copied = 0,           // the backup holds this photo's exact bytes, at CopyResult::copiedTo
  Failed = 1,           // the destination is away or unusable: pause and retry later
  SourceMissing = 2,    // the source is gone
  DestinationFull = 3,  // ENOSPC or EDQUOT on the destination: pause, the drive is full
  FileRefused = 4,      // this one file can never be copied: errorText says why
};

struct CopyResult {
  CopyOutcome outcome = CopyOutcome::Failed;
  std::string errorText;
  std::string copiedTo;
};

inline constexpr const char* kIncompleteCopyText = "incomplete copy (connection dropped)";

// Copies the bytes of `from` to a new file `to`; false with `error` set on failure.
using FileCopier = std::function<bool(const std::filesystem::path& from,
                                      const std::filesystem::path& to, std::error_code& error)>;
// Whether the backup folder can take copies now.
using FolderCheck = std::function<bool(const std::filesystem::path& folder)>;

bool copyFileContents(const std::filesystem::path& from, const std::filesystem::path& to,
                      std::error_code& error);

// Runs the job. `backupFolderReachable` defaults to "is a folder"; for a folder on a network
// share the application also requires that it still lies on that share (a kernel mount point
// left behind when the share goes away is an empty local folder).
CopyResult runCopyJob(const CopyJob& job, const FileCopier& copy = copyFileContents,
                      const FolderCheck& backupFolderReachable = {});

}  // namespace vantrel::backup
