#include "session_capture_target.h"

#include <gphoto2/gphoto2-result.h>

#include "capture_target.h"

namespace gphoto {
namespace {

constexpr const char* kSettingId = "ptp2";

}  // namespace

int SessionCaptureTarget::apply(int32_t save_to, std::string& note) {
  RadioSetting setting;
  if (api_.read_radio(kCaptureTargetConfig, setting) != GP_OK) {
    note = "no capturetarget setting on this camera";
    return GP_OK;
  }
  const std::optional<std::string> choice = choose_capture_target(save_to, setting.choices);
  if (!choice) {
    note = "no capturetarget choice for save target " + std::to_string(save_to);
    return GP_OK;
  }
  if (setting.value == *choice) {
    note = "capturetarget already " + *choice;
    return GP_OK;
  }
  if (!user_value_read_) {
    std::string value;
    if (api_.read_setting(kSettingId, kCaptureTargetConfig, value)) user_value_ = value;
    user_value_read_ = true;
  }
  file_.take();
  const int result = api_.write_radio(kCaptureTargetConfig, *choice);
  changed_ = true;
  const bool file_kept = file_.put_back();
  note = "capturetarget=" + *choice + " for this session" +
         (file_kept ? "" : "; the libgphoto2 settings file could not be put back");
  return result;
}

void SessionCaptureTarget::restore() {
  if (!changed_) return;
  changed_ = false;
  if (user_value_) api_.write_setting(kSettingId, kCaptureTargetConfig, *user_value_);
}

}  // namespace gphoto
