// Worker supervision: starting the camera worker, writing its commands, reading its lines, its
// exit, and ending workers left over from an earlier run. What the lines mean is the camera
// controller's business.
#pragma once

#include <QObject>
#include <QPointer>
#include <string>

#include "app_environment.h"
#include "camera_driver.h"
#include "worker_line_assembler.h"
#include "worker_process.h"

class StatusController;

class WorkerSupervisor : public QObject {
  Q_OBJECT
 public:
  WorkerSupervisor(const AppEnvironment& env, StatusController* status, QObject* parent = nullptr);

  // Where a downloaded photo's path goes the moment the worker announces it (any thread).
  void setDownloadRoute(WorkerProcess::DownloadRoute route) { _downloadRoute = std::move(route); }

  // Starts a worker loading `library` and downloading into `targetDir` (a waiting folder when
  // empty) unless one runs. False, after telling the operator why, when none could be started.
  bool startWorkerIfNeeded(const QString& targetDir, const QString& saveMode,
                           const vantrel::link::CameraLibraryChoice& library);
  void sendWorkerLine(const QString& line);
  // Bytes as a worker writes them, handled as if the current worker had written them.
  void consumeWorkerChunk(const QByteArray& chunk);
  bool workerRunning() const;
  qint64 workerPid() const;
  // Counts the workers started: the lines handled now are those of worker number this.
  quint64 workerGeneration() const { return _generation; }
  // The running worker, to end it later (it may be gone by then).
  QPointer<WorkerProcess> currentWorker() const { return _workerTask; }
  // The current worker is let go: its lines and its exit are no longer heard.
  void forgetWorker();
  void killStrayWorkers();

 signals:
  void lineReceived(const std::string& line, bool downloadRouted);
  // The current worker ended; its last lines came first.
  void workerExited();

 private:
  const AppEnvironment& _env;
  StatusController* _status;
  WorkerProcess::DownloadRoute _downloadRoute;
  QPointer<WorkerProcess> _workerTask;
  quint64 _generation = 0;
  vantrel::link::WorkerLineAssembler _chunkLines;
};
