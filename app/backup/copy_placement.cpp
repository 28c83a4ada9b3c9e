#include "copy_placement.h"

#include "backup_paths.h"
#include "file_compare.h"
#include "no_replace_rename.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

namespace {

// Past this many numbered names something is wrong with the folder, not with the photo.
constexpr unsigned kMostNumberedNames = 1000;

bool somethingAt(const fs::path& path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(path, ignored));
}

CopyResult destinationFailure(const std::error_code& error) {
  return resultForCopyError({error, false});
}

}  // namespace

CopyPlacement::CopyPlacement(const CopyJob& job, const FileCopier& copy, std::uintmax_t size)
    : job_(job), copy_(copy), size_(size), temporary_(temporaryCopyPath(job.destination)) {}

CopyPlacement::~CopyPlacement() {
  discardTemporary();
}

std::optional<CopyResult> CopyPlacement::prepare() {
  return walkNames(Step::Prepare);
}

CopyResult CopyPlacement::place(const std::error_code& flushError) {
  if (flushError) return destinationFailure(flushError);
  if (fileSizeOrZero(temporary_) != size_) return {CopyOutcome::Failed, kIncompleteCopyText, {}};
  return walkNames(Step::Place).value_or(CopyResult{});
}

std::optional<CopyResult> CopyPlacement::walkNames(Step step) {
  while (number_ <= kMostNumberedNames) {
    const fs::path name{numberedCopyPath(job_.destination, number_)};
    if (somethingAt(name)) {
      CopyError error;
      switch (compareFileContents(job_.source, name, error)) {
        case ContentMatch::Same:
          return copied(name);
        case ContentMatch::Unreadable:
          return resultForCopyError(error);
        case ContentMatch::Different:
          ++number_;
          continue;
      }
    }
    if (step == Step::Prepare) return writeTemporary();
    std::error_code renameError;
    if (rename_no_replace(temporary_, name, renameError)) {
      temporaryWritten_ = false;
      return copied(name);
    }
    // Taken since we looked: the same name is compared on the next round.
    if (renameError != std::errc::file_exists) return destinationFailure(renameError);
  }
  return CopyResult{CopyOutcome::Failed, "no free name for the copy in the backup folder", {}};
}

std::optional<CopyResult> CopyPlacement::writeTemporary() {
  std::error_code ignored;
  fs::remove(temporary_, ignored);  // left behind by a crash
  temporaryWritten_ = true;
  CopyError error;
  if (!copy_(job_.source, temporary_, error)) return resultForCopyError(error);
  return std::nullopt;
}

void CopyPlacement::discardTemporary() {
  std::error_code ignored;
  if (temporaryWritten_) fs::remove(temporary_, ignored);
  temporaryWritten_ = false;
}

CopyResult CopyPlacement::copied(const fs::path& at) {
  discardTemporary();
  return {CopyOutcome::Copied, {}, at.string()};
}

}  // namespace vantrel::backup
