// The camera worker child process. Its standard output and standard error are merged into one
// pipe that a reader thread of its own cuts into lines, so a busy window never holds up a photo:
// a DOWNLOADED path goes to its route at once, on the reader thread; every line is then handed to
// the main thread in order, followed by the end of the process.
#pragma once

#include <sys/types.h>

#include <QObject>
#include <QProcessEnvironment>
#include <QStringList>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class WorkerProcess : public QObject {
  Q_OBJECT
 public:
  // Called on the reader thread with each downloaded file's path (file-name bytes, UTF-8 or not),
  // before its line is handed on.
  using DownloadRoute = std::function<void(const std::string& path)>;

  explicit WorkerProcess(DownloadRoute route, QObject* parent = nullptr);
  ~WorkerProcess() override;

  // False (with `error` set) when the program could not be started.
  bool start(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment, const QString& workingDirectory,
             QString* error);
  bool isRunning() const;
  qint64 pid() const;
  // Appends a newline and writes; false when the pipe is gone.
  bool writeLine(const QString& line);
  void terminate();
  void kill();

 signals:
  // A complete line of valid UTF-8, or a downloaded photo's line whatever its bytes;
  // `downloadRouted` when its path already went to the route.
  void lineReceived(const std::string& line, bool downloadRouted);
  // After the last line.
  void exited();

 private:
  void readUntilEnd(int outputFd);
  void signal(int signalNumber);

  DownloadRoute route_;
  mutable std::mutex mutex_;
  pid_t pid_ = 0;
  bool exited_ = true;
  int inputFd_ = -1;
  int stopFd_ = -1;
  std::thread reader_;
};
