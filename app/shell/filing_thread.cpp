#include "filing_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include "capture_filing.h"
#include "vantrel_app_delegate.h"

namespace {

// Answers filing's questions on the main thread.
class MainThreadFilingHost : public vantrel::filing::FilingHost {
 public:
  explicit MainThreadFilingHost(VantrelAppDelegate* app) : app_(app) {}

  std::uint64_t freeBytesOnTargetVolume() override {
    std::uint64_t bytes = 0;
    onMain([&] { bytes = app_->freeLaptopBytes(); });
    return bytes;
  }
  vantrel::filing::FilingSnapshot snapshotForFiling() override {
    vantrel::filing::FilingSnapshot snapshot;
    onMain([&] { snapshot = app_->filingSnapshot(); });
    return snapshot;
  }
  void advanceCounter(std::int64_t next) override {
    onMain([&] { app_->advanceCounterPast(next); });
  }

 private:
  template <typename F>
  void onMain(F&& work) {
    QMetaObject::invokeMethod(app_, std::forward<F>(work), Qt::BlockingQueuedConnection);
  }
  VantrelAppDelegate* app_;
};

}  // namespace

FilingThread::FilingThread(VantrelAppDelegate* app) : app_(app), thread_([this] { run(); }) {}

FilingThread::~FilingThread() {
  finishAndStop();
}

void FilingThread::enqueue(const QString& path) {
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
    queue_.clear();
  }
  wake_.notify_all();
  if (!thread_.joinable()) return;
  // Serve the thread's hops to us until it has finished its file.
  while (!idle()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  thread_.join();
}

void FilingThread::run() {
  MainThreadFilingHost host(app_);
  for (;;) {
    QString path;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (queue_.empty()) return;
      path = queue_.front();
      queue_.pop_front();
      busy_ = true;
    }
    QString saved;
    QString error;
    qint64 row = -1;
    try {
      const auto result =
          vantrel::filing::renameDownloadedFile(std::filesystem::path(path.toStdString()), host);
      if (result.savedPath) saved = QString::fromStdString(result.savedPath->string());
      error = QString::fromStdString(result.error);
      row = result.captureRow;
    } catch (const std::exception& e) {
      error = QString::fromUtf8(e.what());
    }
    QMetaObject::invokeMethod(
        app_,
        [app = app_, path, saved, error, row] { app->filingFinished(path, saved, error, row); },
        Qt::QueuedConnection);
    {
      std::lock_guard lock(mutex_);
      busy_ = false;
    }
  }
}
