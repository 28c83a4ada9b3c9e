#include "copy_job.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "backup_paths.h"
#include "file_compare.h"
#include "file_descriptor.h"
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

CopyError destinationError(const std::error_code& error) {
  return {error, false};
}

// Makes the rename itself survive a power loss. Some shares cannot flush a folder at all; for
// them the file's own flush is the most there is.
std::error_code flushFolder(const fs::path& folder) {
  const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid() || ::fsync(fd.get()) == 0) return {};
  const int error = errno;
  if (error == EINVAL || error == EROFS || error == ENOTSUP || error == EOPNOTSUPP) return {};
  return {error, std::generic_category()};
}

class Placement {
 public:
  Placement(const CopyJob& job, const FileCopier& copy, std::uintmax_t size)
      : job_(job), copy_(copy), size_(size), temporary_(temporaryCopyPath(job.destination)) {}
  Placement(const Placement&) = delete;
  Placement& operator=(const Placement&) = delete;
  ~Placement() { discardTemporary(); }

  // Walks the names "x.jpg", "x (2).jpg", ... : a name that holds the photo's bytes already is
  // the copy; the first free one gets a new copy. A name taken by another file stays as it is.
  CopyResult run() {
    for (unsigned number = 1; number <= kMostNumberedNames;) {
      const fs::path name{numberedCopyPath(job_.destination, number)};
      if (somethingAt(name)) {
        CopyError error;
        switch (compareFileContents(job_.source, name, error)) {
          case ContentMatch::Same:
            return copied(name);
          case ContentMatch::Unreadable:
            return resultForCopyError(error);
          case ContentMatch::Different:
            ++number;
            continue;
        }
      }
      if (!temporaryWritten_) {
        if (std::optional<CopyResult> failure = writeTemporary()) return *failure;
      }
      std::error_code renameError;
      if (rename_no_replace(temporary_, name, renameError)) {
        temporaryWritten_ = false;
        if (const std::error_code flushError = flushFolder(name.parent_path()))
          return resultForCopyError(destinationError(flushError));
        return copied(name);
      }
      // Taken since we looked: the same name is compared on the next round.
      if (renameError != std::errc::file_exists)
        return resultForCopyError(destinationError(renameError));
    }
    return {CopyOutcome::Failed, "no free name for the copy in the backup folder", {}};
  }

 private:
  // The verified copy under the temporary name, or the reason there is none.
  std::optional<CopyResult> writeTemporary() {
    std::error_code ignored;
    fs::remove(temporary_, ignored);  // left behind by a crash
    temporaryWritten_ = true;
    CopyError error;
    if (!copy_(job_.source, temporary_, error)) return resultForCopyError(error);
    if (fileSizeOrZero(temporary_) != size_)
      return CopyResult{CopyOutcome::Failed, kIncompleteCopyText, {}};
    return std::nullopt;
  }

  void discardTemporary() {
    std::error_code ignored;
    if (temporaryWritten_) fs::remove(temporary_, ignored);
    temporaryWritten_ = false;
  }

  CopyResult copied(const fs::path& at) {
    discardTemporary();
    if (job_.verified) job_.verified->record(job_.source, at);
    return {CopyOutcome::Copied, {}, at.string()};
  }

  const CopyJob& job_;
  const FileCopier& copy_;
  const std::uintmax_t size_;
  const fs::path temporary_;
  bool temporaryWritten_ = false;
};

}  // namespace

bool copyFileContents(const fs::path& from, const fs::path& to, CopyError& error) {
  return copy_file_exclusively(from, to, error);
}

CopyResult runCopyJob(const CopyJob& job, const FileCopier& copy,
                      const FolderCheck& backupFolderReachable) {
  const fs::path source{job.source};
  std::error_code statusError;
  const fs::file_status status = fs::status(source, statusError);
  if (!fs::exists(status)) {
    if (statusError && statusError != std::errc::no_such_file_or_directory)
      return resultForCopyError({statusError, true});
    return {CopyOutcome::SourceMissing, {}, {}};
  }
  std::error_code ignored;
  const bool reachable = backupFolderReachable ? backupFolderReachable(job.backupDir)
                                               : fs::is_directory(job.backupDir, ignored);
  if (!reachable) return {};

  if (job.verified) {
    if (std::optional<fs::path> vouched = job.verified->vouchedCopy(source))
      return {CopyOutcome::Copied, {}, vouched->string()};
  }
  if (fs::is_directory(status))
    return resultForCopyError({std::make_error_code(std::errc::is_a_directory), true});
  const std::uintmax_t size = fileSizeOrZero(source);
  if (size == 0) return {CopyOutcome::FileRefused, kEmptyPhotoText, {}};

  std::error_code folderError;
  fs::create_directories(fs::path{job.destination}.parent_path(), folderError);
  if (folderError) return resultForCopyError(destinationError(folderError));
  return Placement(job, copy, size).run();
}

}  // namespace vantrel::backup
