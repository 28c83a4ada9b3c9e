#include "download_flush.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "file_descriptor.h"

namespace gphoto {

EdsError flush_download(int fd, const std::string& path, uint64_t expected) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return eds::kFileIoError;
  if (expected != 0 && static_cast<uint64_t>(status.st_size) != expected) return eds::kFileIoError;
  if (::fsync(fd) != 0) return eds::kFileIoError;
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  const vantrel::FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir.valid() || ::fsync(dir.get()) != 0) return eds::kFileIoError;
  return eds::kOk;
}

}  // namespace gphoto
