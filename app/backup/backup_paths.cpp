#include "backup_paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "path_inside.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

std::string backupDestForSource(std::string_view source, std::string_view targetDir,
                                std::string_view backupDir) {
  const fs::path sourcePath{source};
  fs::path relative;
  if (std::optional<fs::path> inside = relative_path_inside(fs::path{targetDir}, sourcePath)) {
    relative = *inside;
  } else {
    // Normalised first, so that a name like ".." can never lead out of the backup folder.
    relative = sourcePath.lexically_normal().filename();
    if (relative == "." || relative == "..") relative.clear();
  }
  if (relative.empty()) return std::string(backupDir);
  return (fs::path{backupDir} / relative).string();
}

std::string temporaryCopyPath(std::string_view destination) {
  return std::string(destination) + std::string(kTemporaryCopySuffix);
}

std::string numberedCopyPath(std::string_view destination, unsigned number) {
  if (number <= 1) return std::string(destination);
  const fs::path path{destination};
  fs::path numbered = path.parent_path();
  numbered /=
      path.stem().string() + " (" + std::to_string(number) + ")" + path.extension().string();
  return numbered.string();
}

std::uintmax_t fileSizeOrZero(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

bool folderIgnoresLetterCase(const std::filesystem::path& folder) {
  const std::string tag = std::to_string(::getpid());
  const std::filesystem::path probe = folder / (".vantrel-case-Probe-" + tag);
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  std::error_code ignored;
  const bool folded = std::filesystem::exists(folder / (".VANTREL-CASE-pROBE-" + tag), ignored);
  std::filesystem::remove(probe, ignored);
  return folded;
}

}  // namespace vantrel::backup
