#include "command_queue.h"

#include <chrono>

void CommandQueue::push(std::string line) {
  {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
  }
  cv_.notify_one();
}

bool CommandQueue::pop(std::string& line) {
  std::lock_guard lock(mutex_);
  if (lines_.empty()) return false;
  line = std::move(lines_.front());
  lines_.pop_front();
  return true;
}

void CommandQueue::wait_for_work(long long milliseconds) {
  std::unique_lock lock(mutex_);
  cv_.wait_for(lock, std::chrono::milliseconds(milliseconds),
               [this] { return !lines_.empty() || closed_; });
}

void CommandQueue::close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  cv_.notify_all();
}

size_t CommandQueue::size() {
  std::lock_guard lock(mutex_);
  return lines_.size();
}

bool CommandQueue::empty() {
  return size() == 0;
}
