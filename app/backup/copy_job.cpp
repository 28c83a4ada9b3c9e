#include "copy_job.h"

#include "backup_paths.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

namespace {

CopyResult failed(std::string text) {
  return {CopyOutcome::Failed, std::move(text)};
}

std::string describe(const std::error_code& error, const char* fallback) {
  return error ? error.message() : fallback;
}

}  // namespace

bool copyFileContents(const fs::path& from, const fs::path& to, std::error_code& error) {
  return fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
}

CopyResult runCopyJob(const CopyJob& job, const FileCopier& copy,
                      const FolderCheck& backupFolderReachable) {
  std::error_code ignored;
  const fs::path source{job.source};
  const fs::path destination{job.destination};

  if (!fs::exists(source, ignored)) return {CopyOutcome::SourceMissing, {}};
  const bool reachable = backupFolderReachable ? backupFolderReachable(job.backupDir)
                                               : fs::is_directory(job.backupDir, ignored);
  if (!reachable) return failed({});

  const std::uintmax_t sourceSize = fileSizeOrZero(source);
  if (sourceSize != 0 && fs::exists(destination, ignored) &&
      fileSizeOrZero(destination) == sourceSize)
    return {CopyOutcome::Copied, {}};

  const fs::path temporary{temporaryCopyPath(job.destination)};
  fs::create_directories(destination.parent_path(), ignored);
  fs::remove(temporary, ignored);

  std::error_code copyError;
  if (!copy(source, temporary, copyError)) {
    // A half-written temporary file is of no use to anyone.
    fs::remove(temporary, ignored);
    return failed(describe(copyError, "the copy failed"));
  }
  if (sourceSize == 0 || fileSizeOrZero(temporary) != sourceSize) {
    fs::remove(temporary, ignored);
    return failed(kIncompleteCopyText);
  }
  // One rename over the old copy: at every moment the final name holds either the old file or
  // the verified new one. This is the only place a rename may replace a file on purpose.
  std::error_code moveError;
  fs::rename(temporary, destination, moveError);
  if (moveError) {
    fs::remove(temporary, ignored);
    return failed(describe(moveError, "the copy could not be moved into place"));
  }
  return {CopyOutcome::Copied, {}};
}

}  // namespace vantrel::backup
