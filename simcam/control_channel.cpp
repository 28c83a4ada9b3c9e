#include "control_channel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace simcam {

ControlChannel::~ControlChannel() {
  close();
}

void ControlChannel::open(const std::string& path) {
  close();
  path_ = path;
  if (path_.empty()) return;
  struct stat info {};
  if (::stat(path_.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) {
    fifo_fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fifo_fd_ >= 0) fifo_writer_fd_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  }
}

void ControlChannel::close() {
  if (fifo_fd_ >= 0) ::close(fifo_fd_);
  if (fifo_writer_fd_ >= 0) ::close(fifo_writer_fd_);
  fifo_fd_ = -1;
  fifo_writer_fd_ = -1;
  path_.clear();
  file_offset_ = 0;
  file_inode_ = 0;
  pending_.clear();
}

std::vector<std::string> ControlChannel::read_lines() {
  if (path_.empty()) return {};
  if (fifo_fd_ >= 0) {
    read_fifo();
  } else {
    read_file();
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = pending_.find('\n'); end != std::string::npos;
       end = pending_.find('\n', start)) {
    lines.push_back(pending_.substr(start, end - start));
    start = end + 1;
  }
  pending_.erase(0, start);
  if (pending_.size() > kMaxPending) pending_.clear();
  return lines;
}

void ControlChannel::read_fifo() {
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(fifo_fd_, buffer, sizeof buffer);
    if (count <= 0) break;
    pending_.append(buffer, static_cast<std::size_t>(count));
  }
}

void ControlChannel::read_file() {
  struct stat info {};
  if (::stat(path_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  if (info.st_ino != file_inode_ || info.st_size < file_offset_) {
    file_inode_ = info.st_ino;
    file_offset_ = 0;
    pending_.clear();
  }
  if (info.st_size == file_offset_) return;
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::pread(fd, buffer, sizeof buffer, file_offset_);
    if (count <= 0) break;
    pending_.append(buffer, static_cast<std::size_t>(count));
    file_offset_ += count;
  }
  ::close(fd);
}

}  // namespace simcam
