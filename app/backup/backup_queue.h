// The files still to be copied, oldest first, each path once. The first entry is the one being
// copied or next to copy; it stays until its copy is confirmed.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <unordered_set>
#include <vector>

namespace vantrel::backup {

class BackupQueue {
 public:
  // Appends `path` unless it is already queued; true when it was added.
  bool append(const std::string& path);
  bool contains(const std::string& path) const { return members_.count(path) != 0; }
  // Removes `path`; true when it was queued.
  bool remove(const std::string& path);
  void clear();
  // The entry `from` becomes `to` in its place (dropped when `to` is queued already); true when
  // `from` was queued.
  bool rename(const std::string& from, const std::string& to);
  // Replaces the whole queue, keeping the first of any repeated paths.
  void assign(const std::vector<std::string>& paths);

  bool empty() const { return order_.empty(); }
  std::size_t size() const { return order_.size(); }
  const std::string& front() const { return order_.front(); }
  const std::deque<std::string>& entries() const { return order_; }

 private:
  std::deque<std::string> order_;
  // Mirrors `order_` so that queueing thousands of missing files stays linear.
  std::unordered_set<std::string> members_;
};

}  // namespace vantrel::backup
