#include "gphoto_errors.h"

#include <gphoto2/gphoto2-result.h>

#include <cstdio>

namespace gphoto {

EdsError eds_error_from_gphoto(int result) {
  switch (result) {
    case GP_OK:
      return eds::kOk;
    case GP_ERROR_IO_USB_CLAIM:
    case GP_ERROR_IO_LOCK:
    case GP_ERROR_CAMERA_BUSY:
      return eds::kDeviceBusy;
    case GP_ERROR_MODEL_NOT_FOUND:
    case GP_ERROR_IO_USB_FIND:
    case GP_ERROR_UNKNOWN_PORT:
      return eds::kDeviceNotFound;
    case GP_ERROR_FILE_NOT_FOUND:
    case GP_ERROR_DIRECTORY_NOT_FOUND:
      return kFileNotFound;
    case GP_ERROR_NOT_SUPPORTED:
      return kUnimplemented;
    case GP_ERROR_BAD_PARAMETERS:
      return eds::kInvalidParameter;
    default:
      return is_camera_lost(result) ? eds::kCommDisconnected : eds::kInternalError;
  }
}

bool is_claim_failure(int result) {
  return result == GP_ERROR_IO_USB_CLAIM;
}

bool is_camera_lost(int result) {
  switch (result) {
    case GP_ERROR_IO:
    case GP_ERROR_TIMEOUT:
    case GP_ERROR_IO_INIT:
    case GP_ERROR_IO_READ:
    case GP_ERROR_IO_WRITE:
    case GP_ERROR_IO_UPDATE:
    case GP_ERROR_IO_USB_CLEAR_HALT:
    case GP_ERROR_IO_USB_FIND:
      return true;
    default:
      return false;
  }
}

std::string eds_code_text(EdsError code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

std::string describe_gphoto_result(int result) {
  return std::to_string(result) + " (" + gp_result_as_string(result) + ")";
}

}  // namespace gphoto
