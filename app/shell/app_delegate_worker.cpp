// Starting, feeding and restarting the camera worker, and reading its lines.
#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStringDecoder>

#include "stray_workers.h"
#include "vantrel_app_delegate.h"
#include "worker_process.h"

namespace {
constexpr int kReconnectDelayMs = 2000;
constexpr int kReconnectTerminateMs = 700;
}  // namespace

bool VantrelAppDelegate::workerRunning() const {
  return _workerTask && _workerTask->isRunning();
}

qint64 VantrelAppDelegate::workerPid() const {
  return workerRunning() ? _workerTask->pid() : 0;
}

void VantrelAppDelegate::startWorkerIfNeeded() {
  if (workerRunning()) return;
  const QFileInfo worker(_env.workerPath);
  if (!worker.isFile() || !worker.isExecutable()) {
    showAlert(QStringLiteral("Worker Missing"),
              QStringLiteral("Cannot find executable worker:\n%1").arg(_env.workerPath));
    setStatus(QStringLiteral("Camera worker is missing."), QStringLiteral("error"));
    return;
  }
  QString downloadDir;
  if (!_targetDir.isEmpty()) {
    if (!QFileInfo(_targetDir).isDir()) {
      showAlert(QStringLiteral("Target Folder Missing"),
                QStringLiteral("The selected Target Folder no longer exists. Please choose it "
                               "again."));
      setStatus(QStringLiteral("Target folder missing."), QStringLiteral("error"));
      return;
    }
    downloadDir = _targetDir;
  } else {
    downloadDir = QDir(QDir::tempPath()).filePath(QStringLiteral("VantrelTether-unset"));
    QDir().mkpath(downloadDir);
  }
  _camera.workerReady = false;
  _camera.cameraConnected = false;
  _stdoutBuffer.clear();

  if (_workerTask) _workerTask->deleteLater();
  auto* task = new WorkerProcess(this);
  _workerTask = task;
  connect(task, &WorkerProcess::chunkReceived, this, [this, task](const QByteArray& bytes) {
    if (task == _workerTask) consumeWorkerChunk(bytes);
  });
  connect(task, &WorkerProcess::exited, this, [this, task] {
    if (task == _workerTask) workerProcessExited();
    task->deleteLater();
  });

  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (auto it = _env.workerEnvironment.cbegin(); it != _env.workerEnvironment.cend(); ++it) {
    environment.insert(it.key(), it.value());
  }
  const QString workingDirectory = QFileInfo(_env.sdkPath).absolutePath();
  QString error;
  const QStringList arguments = {downloadDir, _env.sdkPath, selectedSaveModeLower()};
  if (!task->start(_env.workerPath, arguments, environment,
                   QDir(workingDirectory).exists() ? workingDirectory : QDir::tempPath(), &error)) {
    showAlert(QStringLiteral("Worker Launch Failed"), error);
    setStatus(QStringLiteral("Unable to start camera worker."), QStringLiteral("error"));
  }
}

void VantrelAppDelegate::sendWorkerLine(const QString& line) {
  if (!workerRunning()) return;
  if (!_workerTask->writeLine(line)) {
    setStatus(QStringLiteral("Unable to communicate with camera worker."), QStringLiteral("error"));
  }
}

void VantrelAppDelegate::consumeWorkerChunk(const QByteArray& chunk) {
  // Lines are cut from the bytes first and decoded one by one: a read may end inside a character,
  // and a line that is not UTF-8 is dropped alone, never with the lines around it.
  for (const std::string& line : _stdoutBuffer.feed(chunk.toStdString())) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(QByteArray::fromStdString(line));
    if (decoder.hasError()) continue;
    handleWorkerLine(line);
  }
}

void VantrelAppDelegate::workerProcessExited() {
  _camera.workerReady = false;
  _camera.cameraConnected = false;
  _camera.watching = false;
  _workerTask = nullptr;
  if (_camera.restartingWorkerForConnect) {
    _camera.restartingWorkerForConnect = false;
    startWorkerIfNeeded();
  } else if (!_camera.manualDisconnect) {
    if (_camera.connectRequested) {
      handleUnexpectedDisconnect(QStringLiteral("Camera connection was lost."));
    } else {
      setStatus(QStringLiteral("Camera worker stopped."), QStringLiteral("error"));
    }
  }
  updateControls();
  emit workerExited();
}

void VantrelAppDelegate::handleUnexpectedDisconnect(const QString& message) {
  _camera.cameraConnected = false;
  if (!_camera.disconnectWarningShown) {
    _camera.disconnectWarningShown = true;
    showAlert(QStringLiteral("Camera Disconnected"),
              QStringLiteral("The camera is no longer detected. Vantrel Photo Tether will try to "
                             "reconnect automatically. If it does not reconnect, check the USB "
                             "cable and camera power."));
  }
  setStatus(message.isEmpty() ? QStringLiteral("Camera disconnected. Retrying...") : message,
            QStringLiteral("error"));
  scheduleAutoReconnect();
  updateControls();
}

void VantrelAppDelegate::scheduleAutoReconnect() {
  if (!_camera.connectionWanted() || _camera.autoReconnectScheduled) return;
  _camera.autoReconnectScheduled = true;
  QTimer::singleShot(kReconnectDelayMs, this, [this] {
    _camera.autoReconnectScheduled = false;
    if (!_camera.connectionWanted() || _camera.cameraConnected) return;
    _camera.pendingConnect = true;
    setStatus(QStringLiteral("Trying to reconnect camera..."), QStringLiteral("busy"));
    if (workerRunning()) {
      _camera.restartingWorkerForConnect = true;
      sendWorkerLine(QStringLiteral("PUMP_IDLE"));
      sendWorkerLine(QStringLiteral("DISCONNECT"));
      sendWorkerLine(QStringLiteral("QUIT"));
      QPointer<WorkerProcess> old = _workerTask;
      QTimer::singleShot(kReconnectTerminateMs, this, [old] {
        if (old && old->isRunning()) old->terminate();
      });
      updateControls();
      return;
    }
    _workerTask = nullptr;
    _camera.workerReady = false;
    startWorkerIfNeeded();
    if (_camera.workerReady) {
      _camera.pendingConnect = false;
      sendWorkerLine(QStringLiteral("CONNECT|%1").arg(selectedSaveModeLower()));
    }
    updateControls();
  });
}

void VantrelAppDelegate::killStrayWorkers() {
  const auto strays = vantrel::link::findStrayWorkers(_env.workerPath.toStdString(),
                                                      static_cast<pid_t>(workerPid()), getuid());
  for (pid_t pid : strays) ::kill(pid, SIGKILL);
}
