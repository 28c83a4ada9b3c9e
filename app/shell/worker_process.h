// The camera worker child process: standard output and standard error merged into one stream,
// read on the main thread and handed on as raw text.
#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

class WorkerProcess : public QObject {
  Q_OBJECT
 public:
  explicit WorkerProcess(QObject* parent = nullptr);
  ~WorkerProcess() override;

  // False (with `error` set) when the program could not be started.
  bool start(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment, const QString& workingDirectory,
             QString* error);
  bool isRunning() const { return process_.state() != QProcess::NotRunning; }
  qint64 pid() const { return isRunning() ? process_.processId() : 0; }
  // Appends a newline and writes; false when the pipe is gone.
  bool writeLine(const QString& line);
  void terminate() { process_.terminate(); }
  void kill() { process_.kill(); }

 signals:
  void chunkReceived(const QByteArray& bytes);
  void exited();

 private:
  QProcess process_;
  bool exitAnnounced_ = false;
};
