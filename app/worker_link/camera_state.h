// The application's view of the camera connection: the flags every connection step reads and
// writes, and the camera pill they add up to.
#pragma once

#include <string>

namespace vantrel::link {

struct CameraState {
  bool workerReady = false;
  bool pendingConnect = false;
  bool cameraConnected = false;
  bool watching = false;
  bool cardWarningShownThisConnect = false;
  bool manualDisconnect = false;
  bool connectRequested = false;
  bool autoReconnectScheduled = false;
  bool disconnectWarningShown = false;
  bool restartingWorkerForConnect = false;
  bool notWatchingCaptureWarningShown = false;
  bool storageWriteWarningShown = false;
  bool autoInitiatedConnect = false;
  bool autoConnect = true;
  bool autoConnectSuppressed = false;
  int saveModeIndex = 0;  // 0 both, 1 disk, 2 card
  std::string cameraError;
  std::string cameraConnectDetail;
  // The camera library is missing or does not load: no connect is tried until the driver
  // setting changes or the operator connects by hand.
  std::string libraryProblem;

  // A connect the user or auto-connect wants that the user has not called off.
  bool connectionWanted() const { return connectRequested && !manualDisconnect; }
};

enum class PillColor { Green, Orange, Red, Secondary };

struct CameraPill {
  std::string text;
  PillColor color;
  std::string detail;  // empty when none
  std::string tooltip() const { return "Camera: " + (detail.empty() ? text : detail); }
};

CameraPill cameraPill(const CameraState& state, bool hasTargetFolder);

// `both`, `disk` or `card` for the wire; "Both", "Disk", "Card" for people.
std::string selectedSaveModeLower(int saveModeIndex);
std::string saveModeLabel(int saveModeIndex);

}  // namespace vantrel::link
