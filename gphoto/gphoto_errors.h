// libgphoto2's result codes in the vendor's terms.
#pragma once

#include <string>

#include "edsdk_api.h"

namespace gphoto {

// Vendor codes the bridge returns beyond those in edsdk_api.h.
constexpr EdsError kUnimplemented = 0x00000001;
constexpr EdsError kFileNotFound = 0x00000022;
constexpr EdsError kSessionNotOpen = 0x00002003;
// What EdsRelease returns for a ref it does not know.
constexpr uint32_t kBadRefCount = 0xFFFFFFFF;

// A camera that another program holds (the USB claim failed, the port is locked, the camera says
// it is busy) is the vendor's "device busy", which the worker retries.
EdsError eds_error_from_gphoto(int result);
// The failed USB claim: another program, often the desktop's automounter, has the camera.
bool is_claim_failure(int result);
// Results that mean the camera is gone (unplugged, switched off, the connection closed).
bool is_camera_lost(int result);
// A vendor code as "0x%08X", for log lines.
std::string eds_code_text(EdsError code);
// "-53 (Could not claim the USB device)" for log lines.
std::string describe_gphoto_result(int result);

}  // namespace gphoto
