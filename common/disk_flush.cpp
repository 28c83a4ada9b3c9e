#include "disk_flush.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "file_descriptor.h"

namespace vantrel {

namespace {

std::error_code lastError() {
  return {errno, std::generic_category()};
}

template <typename Flush>
std::vector<std::error_code> flushTogether(const std::vector<std::filesystem::path>& paths,
                                           Flush flush) {
  std::vector<std::error_code> errors(paths.size());
  if (paths.size() == 1) {
    errors.front() = flush(paths.front());
    return errors;
  }
  std::vector<std::thread> flushes;
  flushes.reserve(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i)
    flushes.emplace_back([&, i] { errors[i] = flush(paths[i]); });
  for (std::thread& running : flushes) running.join();
  return errors;
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

std::vector<std::error_code> flush_files_together(const std::vector<std::filesystem::path>& paths) {
  return flushTogether(paths, flush_file);
}

std::vector<std::error_code> flush_folders_together(
    const std::vector<std::filesystem::path>& paths) {
  return flushTogether(paths, flush_folder);
}

}  // namespace vantrel
