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

  std::optional<std::uint64_t> freeBytesOnTargetVolume() override {
    const std::filesystem::path folder = state_.snapshot().targetFolder;
    if (folder.empty()) return std::nullopt;
    std::error_code error;
    const auto space = std::filesystem::space(folder, error);
    // A volume of no size is one that cannot be read (the storage card says "Unknown" too).
    if (error || space.capacity == 0) return std::nullopt;
    return space.available;
  }
  vantrel::filing::FilingSnapshot snapshotForFiling() override {
    vantrel::filing::FilingSnapshot snapshot = state_.snapshot();
    if (person_) {
      snapshot.personName = person_->personName;
      snapshot.captureRow = person_->captureRow;
    }
    return snapshot;
  }
  void choosePerson(std::optional<vantrel::filing::PersonChoice> person) {
    person_ = std::move(person);
  }
  void advanceCounter(std::int64_t next) override {
    if (state_.advanceCounterPast(next) && counterAdvanced_) counterAdvanced_();
  }

 private:
  vantrel::filing::PublishedFilingState& state_;
  const std::function<void()>& counterAdvanced_;
  std::optional<vantrel::filing::PersonChoice> person_;
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

void FilingThread::enqueue(const std::string& path,
                           std::optional<vantrel::filing::PersonChoice> person) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    queue_.push_back({path, std::move(person)});
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
    Queued next;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (queue_.empty()) return;
      next = std::move(queue_.front());
      queue_.pop_front();
      busy_ = true;
    }
    FilingOutcome outcome;
    outcome.sourcePath = next.path;
    host.choosePerson(next.person);
    try {
      const auto result =
          vantrel::filing::renameDownloadedFile(std::filesystem::path(next.path), host);
      if (result.savedPath) outcome.savedPath = result.savedPath->string();
      outcome.error = QString::fromStdString(result.error);
      outcome.captureRow = result.captureRow;
      outcome.suffixString = result.suffixString;
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
