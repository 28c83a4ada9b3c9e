#include "missing_backups.h"

#include <algorithm>

#include "backup_paths.h"
#include "path_inside.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

namespace {

bool needsBackup(const fs::path& source, const fs::path& destination,
                 const VouchedTest& isVouched) {
  if (isVouched) return !isVouched(source);
  std::error_code ignored;
  if (!fs::exists(destination, ignored)) return true;
  const std::uintmax_t size = fileSizeOrZero(source);
  return size == 0 || size != fileSizeOrZero(destination);
}

}  // namespace

std::vector<std::string> findMissingBackups(const fs::path& targetDir, const fs::path& backupDir,
                                            const ImageNameTest& isImageFileName,
                                            const VouchedTest& isVouched) {
  // Walking our own copies would queue them for a copy of themselves, one level deeper on every
  // run.
  const std::optional<fs::path> backupInsideTarget = relative_path_inside(targetDir, backupDir);

  std::vector<fs::path> relatives;
  std::error_code error;
  fs::recursive_directory_iterator walk(targetDir, fs::directory_options::skip_permission_denied,
                                        error);
  for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    const fs::path relative = walk->path().lexically_relative(targetDir);
    std::error_code typeError;
    if (walk->is_directory(typeError)) {
      if (backupInsideTarget && relative == *backupInsideTarget) walk.disable_recursion_pending();
      continue;
    }
    // Only files: a folder named like a photo could never be copied and would block the queue.
    if (!walk->is_regular_file(typeError) || !isImageFileName(relative.string())) continue;
    if (needsBackup(walk->path(), backupDir / relative, isVouched)) relatives.push_back(relative);
  }

  std::sort(relatives.begin(), relatives.end());
  std::vector<std::string> sources;
  sources.reserve(relatives.size());
  for (const fs::path& relative : relatives) sources.push_back((targetDir / relative).string());
  return sources;
}

}  // namespace vantrel::backup
