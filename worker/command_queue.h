// Command lines read from standard input, waiting for the main loop.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

class CommandQueue {
 public:
  void push(std::string line);
  // Moves the oldest line out; false when the queue is empty. Never waits.
  bool pop(std::string& line);
  // Waits until a line is queued, the input has ended, or `milliseconds` have passed.
  void wait_for_work(long long milliseconds);
  // Marks the end of standard input and wakes every waiter.
  void close();
  size_t size();
  bool empty();

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<std::string> lines_;
  bool closed_ = false;
};
