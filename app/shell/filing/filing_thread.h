// The one thread that files downloaded captures, one at a time in arrival order. It reads what it
// needs from the published filing state and the target folder's volume itself, so a busy window
// never holds up a photo; each result goes to `finished`, called on this thread.
#pragma once

#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "published_filing_state.h"

// Paths are file-name bytes as the disk has them: a person's folder need not be UTF-8.
struct FilingOutcome {
  std::string sourcePath;
  std::string savedPath;  // empty on failure
  QString error;
  qint64 captureRow = -1;
  std::string suffixString;  // the tags it was filed with
};

class FilingThread {
 public:
  FilingThread(vantrel::filing::PublishedFilingState& state, std::function<void()> counterAdvanced,
               std::function<void(const FilingOutcome&)> finished);
  ~FilingThread();

  // Files `path` for the person selected when its turn comes, or for `person` when given.
  void enqueue(const std::string& path, std::optional<vantrel::filing::PersonChoice> person = {});
  // Files what is in progress and queued (each is only a rename or a copy on the same disk), takes
  // nothing new, and ends the thread.
  void finishAndStop();
  bool idle();

 private:
  void run();

  vantrel::filing::PublishedFilingState& state_;
  std::function<void()> counterAdvanced_;
  std::function<void(const FilingOutcome&)> finished_;
  std::mutex mutex_;
  std::condition_variable wake_;
  struct Queued {
    std::string path;
    std::optional<vantrel::filing::PersonChoice> person;
  };
  std::deque<Queued> queue_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;
};
