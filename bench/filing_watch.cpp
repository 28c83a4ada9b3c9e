#include "filing_watch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>

FilingWatch::FilingWatch(std::string cameraLog, std::string folder)
    : log_(std::move(cameraLog)), folder_(std::move(folder)) {
  inotify_ = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (inotify_ < 0 || pipe2(stopPipe_, O_CLOEXEC) != 0) return;
  logWatch_ = inotify_add_watch(inotify_, log_.c_str(), IN_MODIFY);
  // A photo is filed by a rename (or, across file systems, a link or a finished copy).
  folderWatch_ = inotify_add_watch(inotify_, folder_.c_str(), IN_MOVED_TO | IN_CREATE);
  if (logWatch_ < 0 || folderWatch_ < 0) {
    close(inotify_);
    inotify_ = -1;
    return;
  }
  thread_ = std::thread([this] { run(); });
}

FilingWatch::~FilingWatch() {
  if (thread_.joinable()) {
    const char stop = 1;
    (void)!write(stopPipe_[1], &stop, 1);
    thread_.join();
  }
  for (int fd : {inotify_, stopPipe_[0], stopPipe_[1]}) {
    if (fd >= 0) close(fd);
  }
}

std::size_t FilingWatch::announced() const {
  std::lock_guard lock(mutex_);
  return announcements_.size();
}

std::size_t FilingWatch::arrived() const {
  std::lock_guard lock(mutex_);
  return arrivals_.size();
}

std::vector<FilingWatch::Clock::time_point> FilingWatch::announcements() const {
  std::lock_guard lock(mutex_);
  return announcements_;
}

std::vector<FilingWatch::Arrival> FilingWatch::arrivals() const {
  std::lock_guard lock(mutex_);
  return arrivals_;
}

void FilingWatch::run() {
  alignas(inotify_event) char buffer[16 * 1024];
  pollfd fds[2] = {{inotify_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
  while (true) {
    if (poll(fds, 2, -1) < 0) continue;
    const Clock::time_point now = Clock::now();
    if (fds[1].revents != 0) return;
    const ssize_t length = read(inotify_, buffer, sizeof buffer);
    if (length <= 0) continue;
    bool logChanged = false;
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->wd == logWatch_) {
        logChanged = true;
      } else if (event->wd == folderWatch_ && event->len > 0 && event->name[0] != '.') {
        std::lock_guard lock(mutex_);
        arrivals_.push_back({now, event->name});
      }
    }
    if (logChanged) readNewLogLines(now);
  }
}

void FilingWatch::readNewLogLines(Clock::time_point now) {
  const int fd = open(log_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  char chunk[8192];
  ssize_t got;
  while ((got = pread(fd, chunk, sizeof chunk, logOffset_)) > 0) {
    logOffset_ += got;
    pending_.append(chunk, static_cast<std::size_t>(got));
  }
  close(fd);
  std::size_t start = 0;
  for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
    if (pending_.compare(start, 21, "deliver object event=") == 0) {
      std::lock_guard lock(mutex_);
      announcements_.push_back(now);
    }
  }
  pending_.erase(0, start);
}
