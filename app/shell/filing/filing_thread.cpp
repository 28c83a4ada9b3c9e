#include "filing_thread.h"

#include <filesystem>
#include <system_error>

#include "capture_filing.h"

namespace {

// Answers filing's questions from the published state and the disk, on the filing thread.
class PublishedStateHost : public vantrel::filing::FilingHost {
 public:
  PublishedStateHost(vantrel::filing::PublishedFilingState& state,
                     const std::function<void()>& counterAdvanced)
      : state_(state), counterAdvanced_(counterAdvanced) {}

  std::uint64_t freeBytesOnTargetVolume() override {
    const std::filesystem::path folder = state_.snapshot().targetFolder;
    if (folder.empty()) return 0;
    std::error_code error;
    const auto space = std::filesystem::space(folder, error);
    return error ? 0 : space.available;
  }
  vantrel::filing::FilingSnapshot snapshotForFiling() override { return state_.snapshot(); }
  void advanceCounter(std::int64_t next) override {
    if (state_.advanceCounterPast(next) && counterAdvanced_) counterAdvanced_();
  }

 private:
  vantrel::filing::PublishedFilingState& state_;
  const std::function<void()>& counterAdvanced_;
};

}  // namespace

FilingThread::FilingThread(vantrel::filing::PublishedFilingState& state,
                           std::function<void()> counterAdvanced,
                           std::function<void(const FilingOutcome&)> finished)
    : state_(state),
      counterAdvanced_(std::move(counterAdvanced)),
      finished_(std::move(finished)),
      thread_([this] { run(); }) {}

FilingThread::~FilingThread() {
  finishAndStop();
}

void FilingThread::enqueue(const std::string& path) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    queue_.push_back(path);
  }
  wake_.notify_one();
}

bool FilingThread::idle() {
  std::lock_guard lock(mutex_);
  return queue_.empty() && !busy_;
}

void FilingThread::finishAndStop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void FilingThread::run() {
  PublishedStateHost host(state_, counterAdvanced_);
  for (;;) {
    std::string path;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (queue_.empty()) return;
      path = queue_.front();
      queue_.pop_front();
      busy_ = true;
    }
    FilingOutcome outcome;
    outcome.sourcePath = path;
    try {
      const auto result = vantrel::filing::renameDownloadedFile(std::filesystem::path(path), host);
      if (result.savedPath) outcome.savedPath = result.savedPath->string();
      outcome.error = QString::fromStdString(result.error);
      outcome.captureRow = result.captureRow;
    } catch (const std::exception& e) {
      outcome.error = QString::fromUtf8(e.what());
    }
    if (finished_) finished_(outcome);
    {
      std::lock_guard lock(mutex_);
      busy_ = false;
    }
  }
}
