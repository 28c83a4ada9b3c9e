#include "exclusive_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace vantrel::filing {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now so that a failing close (a full network disk) is seen.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, static_cast<std::size_t>(size));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

bool copyBytes(int in, int out) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (!writeAll(out, buffer, got)) return false;
  }
}

}  // namespace

bool copyFileExclusively(const std::filesystem::path& from, const std::filesystem::path& to,
                         std::error_code& error) {
  error.clear();
  FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) {
    error.assign(errno, std::generic_category());
    return false;
  }
  FileDescriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!out.valid()) {
    error.assign(errno, std::generic_category());
    return false;
  }
  // The source is deleted after a successful copy, so the copy must really be on the disk.
  if (!copyBytes(in.get(), out.get()) || ::fsync(out.get()) != 0 || !out.close()) {
    error.assign(errno != 0 ? errno : EIO, std::generic_category());
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

}  // namespace vantrel::filing
