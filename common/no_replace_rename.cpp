#include "no_replace_rename.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace vantrel {

namespace {

int renameat2_noreplace(const char* from, const char* to) {
#if defined(SYS_renameat2)
  return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#else
  errno = ENOSYS;
  return -1;
#endif
}

bool flags_unsupported(int err) {
  return err == EINVAL || err == ENOSYS || err == ENOTSUP;
}

}  // namespace

bool rename_no_replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::error_code& error) {
  error.clear();
  if (renameat2_noreplace(from.c_str(), to.c_str()) == 0) return true;
  int err = errno;
  if (!flags_unsupported(err)) {
    error.assign(err, std::generic_category());
    return false;
  }
  // The file system refuses the flag (some network shares): a hard link fails on an existing
  // name just the same, and the source goes only once the new name is in place.
  if (::link(from.c_str(), to.c_str()) != 0) {
    err = errno;
    if (err == EPERM || err == ENOTSUP || err == EOPNOTSUPP || err == EXDEV) {
      // No hard links here either: check, then rename. Not atomic, but never replaces a file
      // that was there when we looked.
      std::error_code exists_error;
      if (std::filesystem::exists(std::filesystem::symlink_status(to, exists_error))) {
        error = std::make_error_code(std::errc::file_exists);
        return false;
      }
      if (std::rename(from.c_str(), to.c_str()) == 0) return true;
      err = errno;
    }
    error.assign(err, std::generic_category());
    return false;
  }
  if (::unlink(from.c_str()) != 0) {
    // Both names now point at the same file; the photo is safe under its new name.
    error.clear();
  }
  return true;
}

}  // namespace vantrel
