// Connect, disconnect, forced reconnect, auto-connect, the save mode and watching.
#include <signal.h>

#include <QAction>

#include "settings_keys.h"
#include "user_defaults.h"
#include "vantrel_app_delegate.h"
#include "worker_process.h"

namespace {
constexpr int kAutoDetectMs = 2500;
constexpr int kRestartForConnectMs = 750;
constexpr int kDisconnectTerminateMs = 500;
constexpr int kForceKillMs = 800;
constexpr int kForceStrayKillMs = 1000;
constexpr int kForceConnectMs = 1800;
}  // namespace

QString VantrelAppDelegate::selectedSaveModeLower() const {
  return QString::fromStdString(vantrel::link::selectedSaveModeLower(_camera.saveModeIndex));
}

void VantrelAppDelegate::connectCamera() {
  _camera.cameraConnectDetail.clear();
  _camera.cameraError.clear();
  _camera.manualDisconnect = false;
  _camera.connectRequested = true;
  _camera.autoConnectSuppressed = false;
  _camera.disconnectWarningShown = false;
  _camera.cardWarningShownThisConnect = false;
  _camera.notWatchingCaptureWarningShown = false;
  _lowLaptopStorageWarningShown = false;
  _camera.storageWriteWarningShown = false;
  _camera.pendingConnect = true;
  setStatus(QStringLiteral("Connecting camera..."), QStringLiteral("busy"));
  updateControls();

  if (workerRunning() && !_camera.cameraConnected) {
    _camera.restartingWorkerForConnect = true;
    sendWorkerLine(QStringLiteral("QUIT"));
    _workerTask->terminate();
    QTimer::singleShot(kRestartForConnectMs, this, [this] { startWorkerIfNeeded(); });
    return;
  }
  startWorkerIfNeeded();
  if (_camera.workerReady) {
    _camera.pendingConnect = false;
    sendWorkerLine(QStringLiteral("CONNECT|%1").arg(selectedSaveModeLower()));
  }
}

void VantrelAppDelegate::connectCameraManual() {
  _camera.autoInitiatedConnect = false;
  _camera.autoConnectSuppressed = false;
  connectCamera();
}

void VantrelAppDelegate::disconnectCamera() {
  _camera.autoConnectSuppressed = true;
  _camera.connectRequested = false;
  _camera.autoReconnectScheduled = false;
  _camera.cameraConnected = false;
  _camera.watching = false;
  _camera.cardWarningShownThisConnect = true;
  _camera.manualDisconnect = true;
  sendWorkerLine(QStringLiteral("PUMP_IDLE"));
  sendWorkerLine(QStringLiteral("DISCONNECT"));
  sendWorkerLine(QStringLiteral("QUIT"));
  auto forget = [this] {
    _workerTask = nullptr;
    _camera.workerReady = false;
    _stdoutBuffer.clear();
  };
  if (workerRunning()) {
    QPointer<WorkerProcess> old = _workerTask;
    QTimer::singleShot(kDisconnectTerminateMs, this, [this, old, forget] {
      if (old && old->isRunning()) old->terminate();
      if (old == _workerTask) forget();
      updateControls();
    });
  } else {
    forget();
  }
  setStatus(QStringLiteral("Camera disconnected."), QStringLiteral("neutral"));
  updateControls();
}

void VantrelAppDelegate::toggleCameraConnection() {
  if (_camera.cameraConnected ||
      (workerRunning() && !_camera.pendingConnect && _camera.connectRequested)) {
    disconnectCamera();
  } else {
    connectCamera();
  }
}

void VantrelAppDelegate::forceCameraReconnect() {
  _camera.cameraError.clear();
  _camera.autoConnectSuppressed = false;
  _camera.autoInitiatedConnect = false;
  _camera.manualDisconnect = false;
  _camera.connectRequested = false;
  _camera.autoReconnectScheduled = false;
  _camera.cameraConnected = false;
  _camera.watching = false;
  _camera.cameraConnectDetail = "Restarting session…";
  setStatus(QStringLiteral("Forcing camera session restart…"), QStringLiteral("busy"));
  refreshCameraStatus();
  const qint64 pid = workerPid();
  QPointer<WorkerProcess> old = _workerTask;
  if (workerRunning()) {
    sendWorkerLine(QStringLiteral("QUIT"));
    _workerTask->terminate();
  }
  _workerTask = nullptr;
  _camera.workerReady = false;
  _stdoutBuffer.clear();
  updateControls();
  if (pid > 0) {
    QTimer::singleShot(kForceKillMs, this, [old] {
      if (old && old->isRunning()) old->kill();
    });
  }
  QTimer::singleShot(kForceStrayKillMs, this, [this] { killStrayWorkers(); });
  QTimer::singleShot(kForceConnectMs, this, [this] { connectCamera(); });
}

void VantrelAppDelegate::startAutoDetectTimer() {
  if (_detectTimer) return;
  _detectTimer = new QTimer(this);
  _detectTimer->setInterval(kAutoDetectMs);
  connect(_detectTimer, &QTimer::timeout, this, [this] { autoDetectTick(); });
  _detectTimer->start();
}

void VantrelAppDelegate::autoDetectTick() {
  if (!_camera.autoConnect || _camera.cameraConnected || _camera.pendingConnect ||
      _camera.connectRequested || _camera.autoConnectSuppressed || workerRunning()) {
    return;
  }
  _camera.autoInitiatedConnect = true;
  setStatus(QStringLiteral("Looking for camera..."), QStringLiteral("busy"));
  connectCamera();
}

void VantrelAppDelegate::toggleAutoConnect() {
  _camera.autoConnect = !_camera.autoConnect;
  _camera.autoConnectSuppressed = false;
  if (_autoConnectMenuItem) _autoConnectMenuItem->setChecked(_camera.autoConnect);
  _defaults->set(settings_keys::kAutoConnect, _camera.autoConnect);
  _defaults->flush();
  setStatus(_camera.autoConnect
                ? QStringLiteral("Auto-connect ON: the camera connects on its own once a folder "
                                 "is set.")
                : QStringLiteral("Auto-connect OFF: click Connect Camera to connect."),
            QStringLiteral("neutral"));
  updateControls();
}

void VantrelAppDelegate::updateAutoWatch() {
  if (_camera.cameraConnected && !_targetDir.isEmpty() && !_names.isEmpty()) {
    if (!_camera.watching) {
      selectSavedOrFirstCSVRow();
      _camera.watching = true;
      _camera.notWatchingCaptureWarningShown = false;
      sendWorkerLine(QStringLiteral("SET_DOWNLOAD_DIR|%1").arg(_targetDir));
      sendWorkerLine(QStringLiteral("PUMP_ACTIVE"));
    }
  } else if (_camera.watching) {
    _camera.watching = false;
    sendWorkerLine(QStringLiteral("PUMP_IDLE"));
  }
  updateControls();
  refreshReadyStatusIfIdle();
}

void VantrelAppDelegate::selectDestination(int tag) {
  if (tag >= 0 && tag < 3) _camera.saveModeIndex = tag;
  updateControls();
  saveModeChanged();
}

void VantrelAppDelegate::saveModeChanged() {
  if (!_camera.watching && _camera.cameraConnected) {
    sendWorkerLine(QStringLiteral("SET_SAVE_DEST|%1").arg(selectedSaveModeLower()));
    setStatus(QStringLiteral("Save mode changed to %1.").arg(selectedSaveModeLower().toUpper()),
              QStringLiteral("good"));
  }
  updateControls();
}

void VantrelAppDelegate::takePhoto() {
  // Only while watching: a shot taken otherwise is released without download, and in Disk mode
  // it would be lost.
  if (!_camera.watching) return;
  sendWorkerLine(QStringLiteral("REMOTE_CAPTURE"));
}
