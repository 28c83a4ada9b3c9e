// Camera control: connect, disconnect, forced reconnect, auto-connect, watching, the save mode and
// Take Photo, and what each worker line means for them. Owns the camera state.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "camera_driver.h"
#include "camera_state.h"

class FilingController;
class NamesController;
class QAction;
class QPushButton;
class QTimer;
class StatusController;
class UserDefaults;
class WorkerSupervisor;

struct CameraViews {
  QPushButton* forceReconnectButton = nullptr;
  QList<QPushButton*> destinationButtons;
  QAction* autoConnectItem = nullptr;
  QAction* takePhotoItem = nullptr;
};

class CameraController : public QObject {
  Q_OBJECT
 public:
  CameraController(WorkerSupervisor* worker, StatusController* status, FilingController* filing,
                   NamesController* names, UserDefaults* defaults, QObject* parent = nullptr);

  void attach(const CameraViews& views);
  // Where each new worker learns which camera library to load.
  void setLibrarySource(std::function<vantrel::link::CameraLibraryChoice()> source) {
    _librarySource = std::move(source);
  }
  // The driver setting changed: a worker of another library is restarted, and a library found
  // missing is tried again.
  void cameraDriverChanged();
  void restoreSettings();
  const vantrel::link::CameraState& state() const { return _camera; }
  // Setup controls (folder, tags, destination, counter) wait while a connect is under way.
  bool setupAllowed() const { return !(_camera.pendingConnect && !_camera.cameraConnected); }

  void connectCamera();
  void connectCameraManual();
  void disconnectCamera();
  void toggleCameraConnection();
  void forceCameraReconnect();
  void toggleAutoConnect();
  void selectDestination(int tag);
  void saveModeChanged();
  void startAutoDetectTimer();
  void autoDetectTick();
  void updateAutoWatch();
  void takePhoto();
  QString selectedSaveModeLower() const;
  // Ends the worker with the application: QUIT, up to three seconds for it to finish a download
  // and leave (its lines handled meanwhile), then it is stopped. No reconnect follows.
  void stopForTermination();

  void handleWorkerLine(const std::string& line, bool downloadRouted = false);
  QString friendlyStatusForWorker(const QString& text) const;
  void warnIfPhysicalCaptureIsNotReady();
  void refreshCameraStatus();
  void updateControls();
  // The target folder changed: a running worker downloads there from now on.
  void targetFolderChanged(const QString& folder);

 signals:
  // Something the other controls depend on changed (the composition root restyles them all).
  void controlsChanged();
  // The worker process ended and the camera state has followed.
  void workerExited();

 private:
  void startWorker();
  void workerProcessExited();
  void scheduleAutoReconnect();
  void handleUnexpectedDisconnect(const QString& message);
  void handleWorkerError(const std::string& payload);
  void setStatus(const QString& text, const QString& kind);
  // No connect is tried with a library that is missing or does not load; says so.
  void stopForLibraryProblem(const std::string& problem);
  // Runs `step` after `ms` unless the operator disconnected meanwhile.
  template <typename Step>
  void planConnectStep(int ms, Step step);

  WorkerSupervisor* _worker;
  StatusController* _status;
  FilingController* _filing;
  NamesController* _names;
  UserDefaults* _defaults;
  CameraViews _views;
  vantrel::link::CameraState _camera;
  QTimer* _detectTimer = nullptr;
  std::function<vantrel::link::CameraLibraryChoice()> _librarySource;
  // The library of the running worker, and the driver it belongs to.
  vantrel::link::CameraLibraryChoice _runningLibrary;
  // Moves on with every Disconnect: a connect, restart or reconnect planned before it is off.
  quint64 _connectPlan = 0;
};
