#include "copy_outcome.h"

#include <cerrno>

namespace vantrel::backup {

namespace {

bool oneOf(int value, std::initializer_list<int> values) {
  for (const int candidate : values)
    if (value == candidate) return true;
  return false;
}

CopyResult sourceResult(const std::error_code& error) {
  const int code = error.value();
  if (code == ENOENT) return {CopyOutcome::SourceMissing, {}, {}};
  if (oneOf(code, {EACCES, EPERM, EISDIR, EIO}))
    return {CopyOutcome::FileRefused, "the photo cannot be read: " + error.message(), {}};
  return {CopyOutcome::Failed, error.message(), {}};
}

CopyResult destinationResult(const std::error_code& error) {
  const int code = error.value();
  if (oneOf(code, {ENOSPC, EDQUOT}))
    return {CopyOutcome::DestinationFull, "the backup drive is full", {}};
  if (oneOf(code, {EINVAL, ENAMETOOLONG, EILSEQ}))
    return {CopyOutcome::FileRefused,
            "the backup drive refuses this file name: " + error.message(),
            {}};
  // Away, read-only, refusing us or unknown: the drive may be fine again later.
  return {CopyOutcome::Failed, error.message(), {}};
}

}  // namespace

bool pausesBackup(CopyOutcome outcome) {
  return outcome == CopyOutcome::Failed || outcome == CopyOutcome::DestinationFull ||
         outcome == CopyOutcome::TargetAway;
}

CopyResult resultForCopyError(const CopyError& error) {
  if (!error.error) return {CopyOutcome::Failed, "the copy failed", {}};
  if (error.error.category() != std::generic_category() &&
      error.error.category() != std::system_category())
    return {CopyOutcome::Failed, error.error.message(), {}};
  return error.source_side ? sourceResult(error.error) : destinationResult(error.error);
}

}  // namespace vantrel::backup
