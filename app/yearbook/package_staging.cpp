#include "package_staging.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "disk_flush.h"

namespace vantrel::yearbook {

namespace fs = std::filesystem;

namespace {

std::string reason(int err) {
  return std::strerror(err);
}

// Every file below the folder, for flushing before the rename.
std::vector<fs::path> filesBelow(const fs::path& folder, std::vector<fs::path>& folders) {
  std::vector<fs::path> files;
  folders.push_back(folder);
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory(error))
      folders.push_back(it->path());
    else
      files.push_back(it->path());
  }
  return files;
}

}  // namespace

fs::path PackageStaging::hiddenSibling(const char* tag) const {
  std::string pattern =
      (package_.parent_path() / ("." + package_.filename().native() + tag + "-XXXXXX")).native();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

PackageStaging::PackageStaging(fs::path package) : package_(std::move(package)) {
  staging_ = hiddenSibling(".partial");
  if (staging_.empty())
    error_ = "cannot make a folder in " + package_.parent_path().native() + ": " + reason(errno);
}

PackageStaging::~PackageStaging() {
  if (committed_ || staging_.empty()) return;
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
}

bool PackageStaging::commit(bool replace) {
  if (!ok() || committed_) return false;
  std::vector<fs::path> folders;
  for (const std::error_code& error : flush_files_together(filesBelow(staging_, folders))) {
    if (error) {
      error_ = "the package could not be written to the disk: " + error.message();
      return false;
    }
  }
  flush_folders_together(folders);

  std::error_code error;
  const bool occupied =
      fs::exists(fs::symlink_status(package_, error)) &&
      !(fs::is_directory(fs::symlink_status(package_, error)) && fs::is_empty(package_, error));
  if (occupied && replace) {
    if (!moveInReplacing()) return false;
  } else if (std::rename(staging_.c_str(), package_.c_str()) != 0) {
    error_ = "cannot move the package into " + package_.native() + ": " + reason(errno);
    return false;
  }
  committed_ = true;
  flush_folder(package_.parent_path());
  return true;
}

bool PackageStaging::moveInReplacing() {
  const fs::path aside = hiddenSibling(".old");
  // The old package replaces the empty folder just made for it.
  if (aside.empty() || std::rename(package_.c_str(), aside.c_str()) != 0) {
    error_ = "cannot move the old package aside: " + reason(errno);
    if (!aside.empty()) ::rmdir(aside.c_str());
    return false;
  }
  if (std::rename(staging_.c_str(), package_.c_str()) != 0) {
    const int err = errno;
    std::rename(aside.c_str(), package_.c_str());
    error_ = "cannot move the new package into " + package_.native() + ": " + reason(err);
    return false;
  }
  std::error_code ignored;
  fs::remove_all(aside, ignored);
  return true;
}

}  // namespace vantrel::yearbook
