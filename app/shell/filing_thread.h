// The one thread that files downloaded captures, one at a time in arrival order. Where filing
// needs a value of the main thread it hops there synchronously; results are posted back.
//
// The rule that keeps quitting safe: the main thread never blocks on this thread while this
// thread may be waiting for the main thread. finishAndStop() keeps serving the main thread's
// events while the file in progress finishes.
#pragma once

#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class VantrelAppDelegate;

class FilingThread {
 public:
  explicit FilingThread(VantrelAppDelegate* app);
  ~FilingThread();

  void enqueue(const QString& path);
  // Lets the file in progress finish (queued ones stay where the camera put them) and ends the
  // thread.
  void finishAndStop();
  bool idle();

 private:
  void run();

  VantrelAppDelegate* app_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<QString> queue_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;
};
