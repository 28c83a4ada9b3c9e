#include "disk_flush.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "file_descriptor.h"

namespace vantrel {

namespace {

std::error_code lastError() {
  return {errno, std::generic_category()};
}

}  // namespace

std::error_code flush_file(const std::filesystem::path& file) {
  // Any descriptor of the file flushes its data, so a read-only one does.
  const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid() || ::fsync(fd.get()) != 0) return lastError();
  return {};
}

std::error_code flush_folder(const std::filesystem::path& folder) {
  // A folder we may write in but not list (a drop folder on a share) cannot be opened to flush.
  const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid() || ::fsync(fd.get()) == 0) return {};
  const int error = errno;
  if (error == EINVAL || error == EROFS || error == ENOTSUP || error == EOPNOTSUPP) return {};
  return {error, std::generic_category()};
}

}  // namespace vantrel
