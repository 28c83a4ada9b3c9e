// The bridge as loaded by the worker: libgphoto2 itself, the desktop's gio, LOG lines on standard
// output and the user's own libgphoto2 settings file.
#include <memory>

#include "gio_automounter.h"
#include "gphoto_library.h"
#include "libgphoto2_api.h"

namespace camlib {

CameraLibrary* make_camera_library() {
  return new gphoto::GphotoLibrary({
      .api = std::make_unique<gphoto::Libgphoto2Api>(),
      .automounter = std::make_unique<gphoto::GioAutomounter>(),
      .log = &gphoto::write_worker_log,
      .settings = gphoto::SettingsFile::of_user(),
  });
}

}  // namespace camlib
