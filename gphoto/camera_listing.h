// Which cameras the bridge lists: those libgphoto2 detects on USB, or the one port named in
// VANTREL_GPHOTO_PORT, which is how a network camera is reached ("ptpip:HOST", or
// "ptpip:HOST:PORT:EVENTPORT" for a camera on other ports than the standard one).
#pragma once

#include <string>
#include <vector>

#include "gphoto_api.h"

namespace gphoto {

constexpr const char* kPortVariable = "VANTREL_GPHOTO_PORT";
// libgphoto2's name for any camera reached over PTP/IP.
constexpr const char* kPtpIpModel = "PTP/IP Camera";

// A PTP/IP port is listed without being probed: a network camera takes one connection at a time,
// and a probe could be taken for a session. A named USB port is listed when a camera is detected
// on it.
std::vector<CameraEntry> list_cameras(GphotoApi& api, const std::string& port_setting);

}  // namespace gphoto
