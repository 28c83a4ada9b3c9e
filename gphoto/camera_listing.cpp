#include "camera_listing.h"

#include <algorithm>

namespace gphoto {

std::vector<CameraEntry> list_cameras(GphotoApi& api, const std::string& port_setting) {
  if (port_setting.rfind("ptpip:", 0) == 0) return {CameraEntry{kPtpIpModel, port_setting}};
  std::vector<CameraEntry> cameras;
  if (api.autodetect(cameras) < 0) return {};
  if (!port_setting.empty()) {
    std::erase_if(cameras, [&](const CameraEntry& c) { return c.port != port_setting; });
  }
  return cameras;
}

}  // namespace gphoto
