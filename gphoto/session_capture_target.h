// The camera's capture target, set for the session and never left in the user's libgphoto2
// settings. libgphoto2 keeps the target as one of its own settings ("ptp2", "capturetarget"): the
// configuration writes it to ~/.gphoto/settings and Nikon bodies read it back at every capture, so
// it has to stay in the library's memory for the session. The settings file is put back as it was
// right after every change, and at the session's end the user's own value, where they had one,
// goes back into memory too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gphoto_api.h"
#include "settings_file.h"

namespace gphoto {

class SessionCaptureTarget {
 public:
  SessionCaptureTarget(GphotoApi& api, SettingsFile file) : api_(api), file_(std::move(file)) {}

  // Sets the target that fits the vendor save-target value, where the camera has the setting.
  // Returns libgphoto2's result; `note` says what was done, for a log line.
  int apply(int32_t save_to, std::string& note);
  // Gives libgphoto2 back the user's stored value; called when the session ends.
  void restore();

 private:
  GphotoApi& api_;
  SettingsFile file_;
  bool changed_ = false;
  // Read once per load: after our first change, libgphoto2's memory holds our value, not theirs.
  bool user_value_read_ = false;
  std::optional<std::string> user_value_;
};

}  // namespace gphoto
