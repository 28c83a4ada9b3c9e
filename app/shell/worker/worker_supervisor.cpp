#include "worker_supervisor.h"

#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include "status_controller.h"
#include "stray_workers.h"
#include "worker_output_lines.h"

WorkerSupervisor::WorkerSupervisor(const AppEnvironment& env, StatusController* status,
                                   QObject* parent)
    : QObject(parent), _env(env), _status(status) {}

bool WorkerSupervisor::workerRunning() const {
  return _workerTask && _workerTask->isRunning();
}

qint64 WorkerSupervisor::workerPid() const {
  return workerRunning() ? _workerTask->pid() : 0;
}

bool WorkerSupervisor::startWorkerIfNeeded(const QString& targetDir, const QString& saveMode,
                                           const vantrel::link::CameraLibraryChoice& library) {
  if (workerRunning()) return true;
  const QFileInfo worker(_env.workerPath);
  if (!worker.isFile() || !worker.isExecutable()) {
    _status->showAlert(QStringLiteral("Worker Missing"),
                       QStringLiteral("Cannot find executable worker:\n%1").arg(_env.workerPath));
    _status->setStatus(QStringLiteral("Camera worker is missing."), QStringLiteral("error"));
    return false;
  }
  QString downloadDir;
  if (!targetDir.isEmpty()) {
    if (!QFileInfo(targetDir).isDir()) {
      _status->showAlert(QStringLiteral("Target Folder Missing"),
                         QStringLiteral("The selected Target Folder no longer exists. Please "
                                        "choose it again."));
      _status->setStatus(QStringLiteral("Target folder missing."), QStringLiteral("error"));
      return false;
    }
    downloadDir = targetDir;
  } else {
    // Photos may wait here across a crash or a power cut: private, and never in a folder the
    // system empties at logout or boot.
    downloadDir = _env.unsetDownloadFolder;
    QDir().mkpath(downloadDir);
    QFile::setPermissions(downloadDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  _chunkLines.clear();

  if (_workerTask) _workerTask->deleteLater();
  auto* task = new WorkerProcess(_downloadRoute, this);
  _workerTask = task;
  ++_generation;
  connect(task, &WorkerProcess::lineReceived, this,
          [this, task](const std::string& line, bool routed) {
            if (task == _workerTask) emit lineReceived(line, routed);
          });
  connect(task, &WorkerProcess::exited, this, [this, task] {
    if (task == _workerTask) {
      _workerTask = nullptr;
      emit workerExited();
    }
    task->deleteLater();
  });

  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (auto it = _env.workerEnvironment.cbegin(); it != _env.workerEnvironment.cend(); ++it) {
    environment.insert(it.key(), it.value());
  }
  for (const auto& [key, value] : library.workerEnvironment) {
    environment.insert(QString::fromStdString(key), QString::fromStdString(value));
  }
  const QString libraryPath = QString::fromStdString(library.libraryPath);
  const QString workingDirectory = QFileInfo(libraryPath).absolutePath();
  // The libraries a camera library ships beside it are found there.
  const QString searchPath = environment.value(QStringLiteral("LD_LIBRARY_PATH"));
  environment.insert(
      QStringLiteral("LD_LIBRARY_PATH"),
      searchPath.isEmpty() ? workingDirectory : workingDirectory + QLatin1Char(':') + searchPath);
  QString error;
  const QStringList arguments = {downloadDir, libraryPath, saveMode};
  if (!task->start(_env.workerPath, arguments, environment,
                   QDir(workingDirectory).exists() ? workingDirectory : QDir::tempPath(), &error)) {
    _status->showAlert(QStringLiteral("Worker Launch Failed"), error);
    _status->setStatus(QStringLiteral("Unable to start camera worker."), QStringLiteral("error"));
  }
  return true;
}

void WorkerSupervisor::sendWorkerLine(const QString& line) {
  if (!workerRunning()) return;
  if (!_workerTask->writeLine(line)) {
    _status->setStatus(QStringLiteral("Unable to communicate with camera worker."),
                       QStringLiteral("error"));
  }
}

void WorkerSupervisor::consumeWorkerChunk(const QByteArray& chunk) {
  for (const std::string& line : completeWorkerLines(_chunkLines, chunk.toStdString())) {
    emit lineReceived(line, false);
  }
}

void WorkerSupervisor::forgetWorker() {
  _workerTask = nullptr;
  _chunkLines.clear();
}

void WorkerSupervisor::killStrayWorkers() {
  const auto strays = vantrel::link::findStrayWorkers(_env.workerPath.toStdString(),
                                                      static_cast<pid_t>(workerPid()), getuid());
  for (pid_t pid : strays) ::kill(pid, SIGKILL);
}
