#include "camera_state.h"

namespace vantrel::link {

CameraPill cameraPill(const CameraState& s, bool hasTargetFolder) {
  if (s.cameraConnected) return {"Connected", PillColor::Green, {}};
  if (!s.libraryProblem.empty()) return {"No driver", PillColor::Red, s.libraryProblem};
  const bool connecting = s.pendingConnect || s.connectRequested;
  if (connecting) {
    if (s.cameraError.empty() && !s.cameraConnectDetail.empty()) {
      return {"Connecting…", PillColor::Orange, s.cameraConnectDetail};
    }
    if (s.autoInitiatedConnect && s.cameraError.empty()) {
      return {"Searching…", PillColor::Orange, {}};
    }
    return {"Connecting…", PillColor::Orange, {}};
  }
  if (!s.cameraError.empty()) return {"Error", PillColor::Red, s.cameraError};
  if (!hasTargetFolder)
    return {"No folder", PillColor::Secondary, "Set a Target Folder to connect"};
  if (!s.autoConnect) {
    return {"Auto off", PillColor::Secondary, "Auto-connect off — use the Camera menu"};
  }
  if (s.autoConnectSuppressed) {
    return {"Disconnected", PillColor::Secondary, "Unplug and replug to reconnect"};
  }
  return {"No camera", PillColor::Orange, "Waiting for a camera"};
}

std::string selectedSaveModeLower(int saveModeIndex) {
  switch (saveModeIndex) {
    case 1:
      return "disk";
    case 2:
      return "card";
    default:
      return "both";
  }
}

std::string saveModeLabel(int saveModeIndex) {
  switch (saveModeIndex) {
    case 1:
      return "Disk";
    case 2:
      return "Card";
    default:
      return "Both";
  }
}

}  // namespace vantrel::link
