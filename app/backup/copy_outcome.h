// What became of one backup copy, and the rule that tells a fault of the backup drive (pause
// and retry later) from a fault of one photo (retrying will never help).
#pragma once

#include <string>

#include "exclusive_copy.h"

namespace vantrel::backup {

enum class CopyOutcome {
  Copied = 0,           // the backup holds this photo's exact bytes, at CopyResult::copiedTo
  Failed = 1,           // the destination is away or unusable: pause and retry later
  SourceMissing = 2,    // the source is gone
  DestinationFull = 3,  // ENOSPC or EDQUOT on the destination: pause, the drive is full
  FileRefused = 4,      // this one file can never be copied: errorText says why
  TargetAway = 5,       // the photo cannot be reached because its drive is away: pause
};

struct CopyResult {
  CopyOutcome outcome = CopyOutcome::Failed;
  std::string errorText;  // empty when the backup folder is simply away
  std::string copiedTo;   // for Copied: the file in the backup that holds the photo
};

// Whether the outcome pauses the backup (the entry waits at the head of the queue) rather than
// letting the queue go on.
bool pausesBackup(CopyOutcome outcome);

// A failed copy's error, and whether it was reading the photo that failed.
using CopyError = vantrel::CopyFailure;

inline constexpr const char* kIncompleteCopyText = "incomplete copy (connection dropped)";
inline constexpr const char* kEmptyPhotoText = "the photo is empty";
inline constexpr const char* kPhotoDeletedText = "the photo was deleted before its backup";
inline constexpr const char* kPhotoFolderGoneText =
    "the photo's folder is no longer there (it is not in the target folder)";

// The outcome of a copy that failed with `error`.
CopyResult resultForCopyError(const CopyError& error);

}  // namespace vantrel::backup
