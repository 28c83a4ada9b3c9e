#include "camera_controller.h"

#include <QAction>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "filing_controller.h"
#include "names_controller.h"
#include "palette.h"
#include "settings_keys.h"
#include "status_controller.h"
#include "user_defaults.h"
#include "view_styling.h"
#include "worker_supervisor.h"

namespace {
constexpr int kAutoDetectMs = 2500;
constexpr int kRestartForConnectMs = 750;
constexpr int kDisconnectTerminateMs = 500;
constexpr int kForceKillMs = 800;
constexpr int kForceStrayKillMs = 1000;
constexpr int kForceConnectMs = 1800;
constexpr int kReconnectDelayMs = 2000;
constexpr int kReconnectTerminateMs = 700;
constexpr int kQuitGraceMs = 3000;
}  // namespace

CameraController::CameraController(WorkerSupervisor* worker, StatusController* status,
                                   FilingController* filing, NamesController* names,
                                   UserDefaults* defaults, QObject* parent)
    : QObject(parent),
      _worker(worker),
      _status(status),
      _filing(filing),
      _names(names),
      _defaults(defaults) {
  connect(_worker, &WorkerSupervisor::lineReceived, this,
          [this](const std::string& line, bool routed) { handleWorkerLine(line, routed); });
  connect(_worker, &WorkerSupervisor::workerExited, this, [this] { workerProcessExited(); });
}

void CameraController::attach(const CameraViews& views) {
  _views = views;
  if (_views.autoConnectItem) _views.autoConnectItem->setChecked(_camera.autoConnect);
}

void CameraController::restoreSettings() {
  _camera.autoConnect = _defaults->boolean(settings_keys::kAutoConnect, true);
  _camera.autoConnectSuppressed = false;
  if (_views.autoConnectItem) _views.autoConnectItem->setChecked(_camera.autoConnect);
}

template <typename Step>
void CameraController::planConnectStep(int ms, Step step) {
  QTimer::singleShot(ms, this, [this, plan = _connectPlan, step] {
    if (plan == _connectPlan) step();
  });
}

void CameraController::setStatus(const QString& text, const QString& kind) {
  _status->setStatus(text, kind);
}

QString CameraController::selectedSaveModeLower() const {
  return QString::fromStdString(vantrel::link::selectedSaveModeLower(_camera.saveModeIndex));
}

void CameraController::startWorker() {
  if (_worker->workerRunning()) return;
  vantrel::link::CameraLibraryChoice library =
      _librarySource ? _librarySource() : vantrel::link::CameraLibraryChoice{};
  if (!QFileInfo(QString::fromStdString(library.libraryPath)).isFile()) {
    stopForLibraryProblem(vantrel::link::missingLibraryText(library.driver, library.fromEnvironment,
                                                            library.libraryPath));
    return;
  }
  _camera.libraryProblem.clear();
  if (!_worker->startWorkerIfNeeded(_filing->targetDir(), selectedSaveModeLower(), library)) {
    return;
  }
  _runningLibrary = std::move(library);
  _camera.workerReady = false;
  _camera.cameraConnected = false;
}

void CameraController::stopForLibraryProblem(const std::string& problem) {
  _camera.libraryProblem = problem;
  _camera.pendingConnect = false;
  _camera.connectRequested = false;
  _camera.autoReconnectScheduled = false;
  _camera.restartingWorkerForConnect = false;
  _camera.cameraError.clear();
  ++_connectPlan;
  setStatus(QString::fromStdString(problem), QStringLiteral("error"));
  emit controlsChanged();
}

void CameraController::cameraDriverChanged() {
  const bool hadProblem = !_camera.libraryProblem.empty();
  _camera.libraryProblem.clear();
  if (_worker->workerRunning()) {
    const auto wanted = _librarySource ? _librarySource() : vantrel::link::CameraLibraryChoice{};
    if (wanted.libraryPath != _runningLibrary.libraryPath ||
        wanted.workerEnvironment != _runningLibrary.workerEnvironment) {
      forceCameraReconnect();
    }
  } else if (hadProblem) {
    setStatus(QStringLiteral("Camera driver changed."), QStringLiteral("neutral"));
  }
  emit controlsChanged();
}

void CameraController::connectCamera() {
  _camera.cameraConnectDetail.clear();
  _camera.cameraError.clear();
  _camera.manualDisconnect = false;
  _camera.connectRequested = true;
  _camera.autoConnectSuppressed = false;
  _camera.disconnectWarningShown = false;
  _camera.cardWarningShownThisConnect = false;
  _camera.notWatchingCaptureWarningShown = false;
  _status->resetLowStorageWarning();
  _camera.storageWriteWarningShown = false;
  _camera.pendingConnect = true;
  setStatus(QStringLiteral("Connecting camera..."), QStringLiteral("busy"));
  emit controlsChanged();

  if (_worker->workerRunning() && !_camera.cameraConnected) {
    _camera.restartingWorkerForConnect = true;
    _worker->sendWorkerLine(QStringLiteral("QUIT"));
    _worker->currentWorker()->terminate();
    planConnectStep(kRestartForConnectMs, [this] { startWorker(); });
    return;
  }
  startWorker();
  if (_camera.workerReady) {
    _camera.pendingConnect = false;
    _worker->sendWorkerLine(QStringLiteral("CONNECT|%1").arg(selectedSaveModeLower()));
  }
}

void CameraController::connectCameraManual() {
  _camera.autoInitiatedConnect = false;
  _camera.autoConnectSuppressed = false;
  connectCamera();
}

void CameraController::disconnectCamera() {
  _camera.autoConnectSuppressed = true;
  _camera.connectRequested = false;
  _camera.autoReconnectScheduled = false;
  _camera.cameraConnected = false;
  _camera.watching = false;
  _camera.cardWarningShownThisConnect = true;
  _camera.manualDisconnect = true;
  _camera.restartingWorkerForConnect = false;
  _camera.pendingConnect = false;
  ++_connectPlan;
  _worker->sendWorkerLine(QStringLiteral("PUMP_IDLE"));
  _worker->sendWorkerLine(QStringLiteral("DISCONNECT"));
  _worker->sendWorkerLine(QStringLiteral("QUIT"));
  auto forget = [this] {
    _worker->forgetWorker();
    _camera.workerReady = false;
  };
  if (_worker->workerRunning()) {
    QPointer<WorkerProcess> old = _worker->currentWorker();
    QTimer::singleShot(kDisconnectTerminateMs, this, [this, old, forget] {
      if (old && old->isRunning()) old->terminate();
      if (old == _worker->currentWorker()) forget();
      emit controlsChanged();
    });
  } else {
    forget();
  }
  setStatus(QStringLiteral("Camera disconnected."), QStringLiteral("neutral"));
  emit controlsChanged();
}

void CameraController::toggleCameraConnection() {
  if (_camera.cameraConnected ||
      (_worker->workerRunning() && !_camera.pendingConnect && _camera.connectRequested)) {
    disconnectCamera();
  } else {
    connectCamera();
  }
}

void CameraController::forceCameraReconnect() {
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
  const qint64 pid = _worker->workerPid();
  QPointer<WorkerProcess> old = _worker->currentWorker();
  if (_worker->workerRunning()) {
    _worker->sendWorkerLine(QStringLiteral("QUIT"));
    old->terminate();
  }
  _worker->forgetWorker();
  _camera.workerReady = false;
  emit controlsChanged();
  if (pid > 0) {
    QTimer::singleShot(kForceKillMs, this, [old] {
      if (old && old->isRunning()) old->kill();
    });
  }
  QTimer::singleShot(kForceStrayKillMs, this, [this] { _worker->killStrayWorkers(); });
  planConnectStep(kForceConnectMs, [this] { connectCamera(); });
}

void CameraController::stopForTermination() {
  if (_detectTimer) _detectTimer->stop();
  _camera.manualDisconnect = true;
  _camera.connectRequested = false;
  ++_connectPlan;
  QPointer<WorkerProcess> worker = _worker->currentWorker();
  _worker->sendWorkerLine(QStringLiteral("QUIT"));
  if (!worker || !worker->isRunning()) return;
  // A photo on its way from the camera may exist nowhere else (Disk mode): the worker gets a
  // moment to finish it and leave on its own; what it says meanwhile is heard and filed.
  QEventLoop grace;
  connect(worker, &WorkerProcess::exited, &grace, &QEventLoop::quit);
  QTimer::singleShot(kQuitGraceMs, &grace, &QEventLoop::quit);
  grace.exec();
  if (worker && worker->isRunning()) worker->terminate();
}

void CameraController::startAutoDetectTimer() {
  if (_detectTimer) return;
  _detectTimer = new QTimer(this);
  _detectTimer->setInterval(kAutoDetectMs);
  connect(_detectTimer, &QTimer::timeout, this, [this] { autoDetectTick(); });
  _detectTimer->start();
}

void CameraController::autoDetectTick() {
  if (!_camera.libraryProblem.empty()) return;
  if (!_camera.autoConnect || _camera.cameraConnected || _camera.pendingConnect ||
      _camera.connectRequested || _camera.autoConnectSuppressed || _worker->workerRunning()) {
    return;
  }
  _camera.autoInitiatedConnect = true;
  setStatus(QStringLiteral("Looking for camera..."), QStringLiteral("busy"));
  connectCamera();
}

void CameraController::toggleAutoConnect() {
  _camera.autoConnect = !_camera.autoConnect;
  _camera.autoConnectSuppressed = false;
  if (_views.autoConnectItem) _views.autoConnectItem->setChecked(_camera.autoConnect);
  _defaults->set(settings_keys::kAutoConnect, _camera.autoConnect);
  _defaults->flush();
  setStatus(_camera.autoConnect
                ? QStringLiteral("Auto-connect ON: the camera connects on its own once a folder "
                                 "is set.")
                : QStringLiteral("Auto-connect OFF: click Connect Camera to connect."),
            QStringLiteral("neutral"));
  emit controlsChanged();
}

void CameraController::updateAutoWatch() {
  if (_camera.cameraConnected && !_filing->targetDir().isEmpty() && !_names->isEmpty()) {
    if (!_camera.watching) {
      _names->selectSavedOrFirstCSVRow();
      _camera.watching = true;
      _camera.notWatchingCaptureWarningShown = false;
      _worker->sendWorkerLine(QStringLiteral("SET_DOWNLOAD_DIR|%1").arg(_filing->targetDir()));
      _worker->sendWorkerLine(QStringLiteral("PUMP_ACTIVE"));
    }
  } else if (_camera.watching) {
    _camera.watching = false;
    _worker->sendWorkerLine(QStringLiteral("PUMP_IDLE"));
  }
  emit controlsChanged();
  _status->refreshReadyStatusIfIdle();
}

void CameraController::targetFolderChanged(const QString& folder) {
  if (!folder.isEmpty() && _worker->workerRunning()) {
    _worker->sendWorkerLine(QStringLiteral("SET_DOWNLOAD_DIR|%1").arg(folder));
  }
}

void CameraController::selectDestination(int tag) {
  if (tag >= 0 && tag < 3) _camera.saveModeIndex = tag;
  emit controlsChanged();
  saveModeChanged();
}

void CameraController::saveModeChanged() {
  if (!_camera.watching && _camera.cameraConnected) {
    _worker->sendWorkerLine(QStringLiteral("SET_SAVE_DEST|%1").arg(selectedSaveModeLower()));
    setStatus(QStringLiteral("Save mode changed to %1.").arg(selectedSaveModeLower().toUpper()),
              QStringLiteral("good"));
  }
  emit controlsChanged();
}

void CameraController::takePhoto() {
  // Only while watching: a shot taken otherwise is released without download, and in Disk mode
  // it would be lost.
  if (!_camera.watching) return;
  _worker->sendWorkerLine(QStringLiteral("REMOTE_CAPTURE"));
}

void CameraController::workerProcessExited() {
  _camera.workerReady = false;
  _camera.cameraConnected = false;
  _camera.watching = false;
  if (_camera.restartingWorkerForConnect) {
    _camera.restartingWorkerForConnect = false;
    startWorker();
  } else if (!_camera.libraryProblem.empty()) {
    setStatus(QString::fromStdString(_camera.libraryProblem), QStringLiteral("error"));
  } else if (!_camera.manualDisconnect) {
    if (_camera.connectRequested) {
      handleUnexpectedDisconnect(QStringLiteral("Camera connection was lost."));
    } else {
      setStatus(QStringLiteral("Camera worker stopped."), QStringLiteral("error"));
    }
  }
  emit controlsChanged();
  emit workerExited();
}

void CameraController::handleUnexpectedDisconnect(const QString& message) {
  _camera.cameraConnected = false;
  if (!_camera.disconnectWarningShown) {
    _camera.disconnectWarningShown = true;
    _status->showAlert(
        QStringLiteral("Camera Disconnected"),
        QStringLiteral("The camera is no longer detected. Vantrel Photo Tether will try to "
                       "reconnect automatically. If it does not reconnect, check the USB "
                       "cable and camera power."));
  }
  setStatus(message.isEmpty() ? QStringLiteral("Camera disconnected. Retrying...") : message,
            QStringLiteral("error"));
  scheduleAutoReconnect();
  emit controlsChanged();
}

void CameraController::scheduleAutoReconnect() {
  if (!_camera.connectionWanted() || _camera.autoReconnectScheduled ||
      !_camera.libraryProblem.empty()) {
    return;
  }
  _camera.autoReconnectScheduled = true;
  planConnectStep(kReconnectDelayMs, [this] {
    _camera.autoReconnectScheduled = false;
    if (!_camera.connectionWanted() || _camera.cameraConnected) return;
    _camera.pendingConnect = true;
    setStatus(QStringLiteral("Trying to reconnect camera..."), QStringLiteral("busy"));
    if (_worker->workerRunning()) {
      _camera.restartingWorkerForConnect = true;
      _worker->sendWorkerLine(QStringLiteral("PUMP_IDLE"));
      _worker->sendWorkerLine(QStringLiteral("DISCONNECT"));
      _worker->sendWorkerLine(QStringLiteral("QUIT"));
      QPointer<WorkerProcess> old = _worker->currentWorker();
      QTimer::singleShot(kReconnectTerminateMs, this, [old] {
        if (old && old->isRunning()) old->terminate();
      });
      emit controlsChanged();
      return;
    }
    _worker->forgetWorker();
    _camera.workerReady = false;
    startWorker();
    if (_camera.workerReady) {
      _camera.pendingConnect = false;
      _worker->sendWorkerLine(QStringLiteral("CONNECT|%1").arg(selectedSaveModeLower()));
    }
    emit controlsChanged();
  });
}

void CameraController::updateControls() {
  refreshCameraStatus();
  const bool allowed = setupAllowed();
  if (_views.forceReconnectButton) {
    styleButton(_views.forceReconnectButton, QStringLiteral("⟳"), palette::brand(), true);
  }
  static const char* const kDestinationTitles[] = {"Both", "Disk", "Card"};
  for (int i = 0; i < _views.destinationButtons.size() && i < 3; ++i) {
    styleButton(_views.destinationButtons[i], QString::fromUtf8(kDestinationTitles[i]),
                i == _camera.saveModeIndex ? palette::brand() : palette::gray(), allowed);
  }
  if (_views.takePhotoItem) _views.takePhotoItem->setEnabled(_camera.watching);
}

void CameraController::refreshCameraStatus() {
  _status->showCameraPill(vantrel::link::cameraPill(_camera, !_filing->targetDir().isEmpty()));
}
