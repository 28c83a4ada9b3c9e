// What each worker line does to the camera state, the status card and the camera pill.
#include "camera_controller.h"
#include "filing_controller.h"
#include "names_controller.h"
#include "status_controller.h"
#include "worker_message.h"
#include "worker_supervisor.h"

using vantrel::link::WorkerErrorClass;
using vantrel::link::WorkerMessageKind;

QString CameraController::friendlyStatusForWorker(const QString& text) const {
  return QString::fromStdString(vantrel::link::friendlyStatusForWorker(text.toStdString()));
}

void CameraController::handleWorkerLine(const std::string& line, bool downloadRouted) {
  const auto message = vantrel::link::parseWorkerLine(line);
  const QString payload = QString::fromStdString(message.payload);
  switch (message.kind) {
    case WorkerMessageKind::Ignored:
      return;
    case WorkerMessageKind::Ready:
      _camera.workerReady = true;
      if (_camera.pendingConnect) {
        _camera.pendingConnect = false;
        _worker->sendWorkerLine(QStringLiteral("CONNECT|%1").arg(selectedSaveModeLower()));
      }
      emit controlsChanged();
      return;
    case WorkerMessageKind::Status: {
      const QString friendly = friendlyStatusForWorker(payload);
      if (_camera.cameraConnected) {
        setStatus(friendly, QStringLiteral("busy"));
      } else {
        _camera.cameraConnectDetail = friendly.toStdString();
        refreshCameraStatus();
      }
      return;
    }
    case WorkerMessageKind::Connected:
      _camera.cameraConnected = true;
      _camera.cameraError.clear();
      _camera.cameraConnectDetail.clear();
      _camera.autoInitiatedConnect = false;
      _camera.pendingConnect = false;
      _camera.manualDisconnect = false;
      _camera.autoReconnectScheduled = false;
      _camera.disconnectWarningShown = false;
      _camera.watching = false;
      _camera.notWatchingCaptureWarningShown = false;
      _names->selectSavedOrFirstCSVRow();
      updateAutoWatch();
      return;
    case WorkerMessageKind::Disconnected:
      if (_camera.connectionWanted()) {
        handleUnexpectedDisconnect(
            QStringLiteral("Camera disconnected. Retrying automatically..."));
        return;
      }
      _camera.cameraConnected = false;
      _camera.cameraConnectDetail.clear();
      updateAutoWatch();
      setStatus(QStringLiteral("Camera disconnected."), QStringLiteral("neutral"));
      return;
    case WorkerMessageKind::PumpActive:
    case WorkerMessageKind::PumpIdle:
      _camera.watching = message.kind == WorkerMessageKind::PumpActive;
      _status->refreshReadyStatusIfIdle();
      emit controlsChanged();
      return;
    case WorkerMessageKind::CardMissing:
      if (!_camera.connectionWanted()) return;
      if (!_camera.cardWarningShownThisConnect) {
        _camera.cardWarningShownThisConnect = true;
        _status->showAlert(
            QStringLiteral("Memory Card Required"),
            QStringLiteral("The camera does not appear to have a memory card inserted.\n\n"
                           "Please insert a card when using Card or Both save mode."));
      }
      setStatus(QStringLiteral("No camera memory card detected."), QStringLiteral("error"));
      return;
    case WorkerMessageKind::CaptureEvent:
      warnIfPhysicalCaptureIsNotReady();
      return;
    case WorkerMessageKind::Downloaded:
      // The reader thread has usually handed the path to filing already.
      if (!downloadRouted) _filing->handleDownloadedPath(message.payload);
      return;
    case WorkerMessageKind::Error:
      handleWorkerError(message.payload);
      return;
  }
}

void CameraController::handleWorkerError(const std::string& payload) {
  const auto classified = vantrel::link::classifyWorkerError(payload, _runningLibrary.driver);
  switch (classified.errorClass) {
    case WorkerErrorClass::LibraryUnloadable:
      stopForLibraryProblem(vantrel::link::unloadableLibraryText(
          _runningLibrary.driver, _runningLibrary.fromEnvironment, classified.shownText));
      _worker->sendWorkerLine(QStringLiteral("QUIT"));
      return;
    case WorkerErrorClass::Storage:
      if (!_camera.storageWriteWarningShown) {
        _camera.storageWriteWarningShown = true;
        _status->showAlert(
            QStringLiteral("Storage Write Failed"),
            QStringLiteral("The camera or laptop could not write the photo. Check laptop "
                           "free space and the camera memory card. Disk mode only needs "
                           "laptop space; Card mode needs card space; Both mode may fail "
                           "if either destination cannot complete on some Canon bodies."));
      }
      break;
    case WorkerErrorClass::Busy:
      if (_camera.connectionWanted()) scheduleAutoReconnect();
      break;
    case WorkerErrorClass::NotDetected:
      if (_camera.connectionWanted()) scheduleAutoReconnect();
      if (_camera.autoInitiatedConnect) {
        _camera.cameraError.clear();
        setStatus(QStringLiteral("Looking for camera... (plug in and power on your camera)"),
                  QStringLiteral("busy"));
        emit controlsChanged();
        return;
      }
      break;
    case WorkerErrorClass::Other:
      break;
  }
  _camera.cameraError = classified.shownText;
  _camera.cameraConnectDetail.clear();
  setStatus(QString::fromStdString(classified.shownText), QStringLiteral("error"));
  emit controlsChanged();
}

void CameraController::warnIfPhysicalCaptureIsNotReady() {
  if (!_camera.connectRequested || !_camera.cameraConnected) return;
  if (!_names->isEmpty() && !_names->hasValidSelection()) _names->selectSavedOrFirstCSVRow();
  if (_camera.watching) return;
  setStatus(QStringLiteral("Not watching — photos are ignored. Click Start before shooting."),
            QStringLiteral("error"));
  if (!_camera.notWatchingCaptureWarningShown) {
    _camera.notWatchingCaptureWarningShown = true;
    _status->showAlert(
        QStringLiteral("Not Watching Yet"),
        QStringLiteral("The camera took a photo, but watching is not active, so nothing was "
                       "saved.\n\nClick Start before shooting. This reminder won't show "
                       "again until you reconnect."));
  }
}
