// Watches, on a thread of its own, when the simulated camera announces each new photo (its
// "deliver object event" lines in the VANTREL_SIM_LOG file) and when each photo arrives in a
// person's folder, so that a benchmark can time shutter to filed without being slowed or delayed by
// the application's main thread.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class FilingWatch {
 public:
  using Clock = std::chrono::steady_clock;
  struct Arrival {
    Clock::time_point at;
    std::string name;
  };

  // Both the log file and the folder must exist.
  FilingWatch(std::string cameraLog, std::string folder);
  ~FilingWatch();
  FilingWatch(const FilingWatch&) = delete;
  FilingWatch& operator=(const FilingWatch&) = delete;

  bool ok() const { return inotify_ >= 0; }
  std::size_t announced() const;
  std::size_t arrived() const;
  std::vector<Clock::time_point> announcements() const;
  std::vector<Arrival> arrivals() const;

 private:
  void run();
  void readNewLogLines(Clock::time_point now);

  std::string log_;
  std::string folder_;
  int inotify_ = -1;
  int stopPipe_[2] = {-1, -1};
  int logWatch_ = -1;
  int folderWatch_ = -1;
  long long logOffset_ = 0;
  std::string pending_;
  mutable std::mutex mutex_;
  std::vector<Clock::time_point> announcements_;
  std::vector<Arrival> arrivals_;
  std::thread thread_;
};
