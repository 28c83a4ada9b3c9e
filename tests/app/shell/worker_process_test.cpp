// The worker's child process as the application sees it: every line it wrote before it ended is
// handed on, in order, before its end; a downloaded path reaches its route on the reader thread.
#include "worker_process.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace {

bool serveUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(2);
  }
  return true;
}

TEST(WorkerProcess, EveryLineWrittenBeforeTheEndArrivesInOrderAndThenTheEnd) {
  std::mutex mutex;
  std::vector<std::string> routed;
  std::atomic<bool> routedOffMain{false};
  const auto* mainThread = QThread::currentThread();
  WorkerProcess process([&](const std::string& path) {
    std::lock_guard lock(mutex);
    routed.push_back(path);
    routedOffMain = QThread::currentThread() != mainThread;
  });
  std::vector<std::pair<std::string, bool>> lines;
  bool ended = false;
  std::size_t linesAtEnd = 0;
  QObject::connect(
      &process, &WorkerProcess::lineReceived,
      [&](const std::string& line, bool wasRouted) { lines.emplace_back(line, wasRouted); });
  QObject::connect(&process, &WorkerProcess::exited, [&] {
    ended = true;
    linesAtEnd = lines.size();
  });
  QString error;
  // Standard error counts as output too; an unfinished last line is not a line. A line that is
  // not UTF-8 is dropped, unless it announces a photo (a file name is bytes).
  ASSERT_TRUE(process.start(
      QStringLiteral("/bin/sh"),
      {QStringLiteral("-c"),
       QStringLiteral("read command; echo \"READY|$command\"; echo 'DOWNLOADED|/tmp/IMG_1.JPG'; "
                      "printf 'LOG|bad \\377\\n' >&2; printf 'DOWNLOADED|/tmp/M\\374ller.JPG\\n'; "
                      "echo 'STATUS|done'; printf PARTIAL")},
      QProcessEnvironment::systemEnvironment(), QDir::tempPath(), &error))
      << error.toStdString();
  EXPECT_TRUE(process.isRunning());
  EXPECT_GT(process.pid(), 0);
  EXPECT_TRUE(process.writeLine(QStringLiteral("CONNECT")));
  ASSERT_TRUE(serveUntil([&] { return ended; }));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::make_pair(std::string("READY|CONNECT"), false));
  EXPECT_EQ(lines[1], std::make_pair(std::string("DOWNLOADED|/tmp/IMG_1.JPG"), true));
  EXPECT_EQ(lines[2], std::make_pair(std::string("DOWNLOADED|/tmp/M\xfcller.JPG"), true));
  EXPECT_EQ(lines[3], std::make_pair(std::string("STATUS|done"), false));
  EXPECT_EQ(linesAtEnd, 4u);
  EXPECT_EQ(routed, (std::vector<std::string>{"/tmp/IMG_1.JPG", "/tmp/M\xfcller.JPG"}));
  EXPECT_TRUE(routedOffMain);
  EXPECT_FALSE(process.isRunning());
  EXPECT_EQ(process.pid(), 0);
  EXPECT_FALSE(process.writeLine(QStringLiteral("QUIT")));
}

TEST(WorkerProcess, AProgramThatCannotStartSaysWhyAndAStoppedOneEnds) {
  WorkerProcess missing(nullptr);
  QString error;
  EXPECT_FALSE(missing.start(QStringLiteral("/nonexistent/vantrel_worker"), {},
                             QProcessEnvironment::systemEnvironment(), QDir::tempPath(), &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(missing.isRunning());

  WorkerProcess sleeper(nullptr);
  bool ended = false;
  QObject::connect(&sleeper, &WorkerProcess::exited, [&] { ended = true; });
  ASSERT_TRUE(sleeper.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")},
                            QProcessEnvironment::systemEnvironment(), QDir::tempPath(), &error));
  sleeper.terminate();
  ASSERT_TRUE(serveUntil([&] { return ended; }));
  EXPECT_FALSE(sleeper.isRunning());
}

}  // namespace
