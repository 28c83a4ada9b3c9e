#include "backup_queue.h"

#include <algorithm>

namespace vantrel::backup {

bool BackupQueue::append(const std::string& path) {
  if (!members_.insert(path).second) return false;
  order_.push_back(path);
  return true;
}

bool BackupQueue::remove(const std::string& path) {
  if (members_.erase(path) == 0) return false;
  // Nearly always the head.
  order_.erase(std::find(order_.begin(), order_.end(), path));
  return true;
}

bool BackupQueue::rename(const std::string& from, const std::string& to) {
  if (from == to || members_.count(from) == 0) return false;
  const auto at = std::find(order_.begin(), order_.end(), from);
  members_.erase(from);
  if (members_.insert(to).second) {
    *at = to;
  } else {
    order_.erase(at);
  }
  return true;
}

void BackupQueue::clear() {
  order_.clear();
  members_.clear();
}

void BackupQueue::assign(const std::vector<std::string>& paths) {
  clear();
  for (const std::string& path : paths) append(path);
}

}  // namespace vantrel::backup
