// Which camera library the worker loads: the camera maker's own, the gphoto2 bridge (any USB or
// network camera libgphoto2 drives), or the simulated camera of development builds.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::link {

enum class CameraDriver { MakersLibrary, Gphoto, Simulated };

// How the choice is kept in the settings, and how the settings list it.
std::string_view driverSettingValue(CameraDriver driver);
std::optional<CameraDriver> driverFromSettingValue(std::string_view value);
std::string_view driverTitle(CameraDriver driver);

// Where each library is; `simulated` is empty in builds without one.
struct CameraLibraries {
  std::string makers;
  std::string gphoto;
  std::string simulated;
};

struct CameraLibraryChoice {
  CameraDriver driver = CameraDriver::MakersLibrary;
  std::string libraryPath;
  // Set by VANTREL_SDK_PATH rather than by the setting.
  bool fromEnvironment = false;
  // What the worker is given besides (the gphoto2 port of a network camera).
  std::map<std::string, std::string> workerEnvironment;
};

// The library to load. `overridePath` (VANTREL_SDK_PATH) wins when set (its driver told by its
// file name); else the chosen driver;
// without a choice, the maker's library when it is there, else gphoto2. A network address given
// for gphoto2 becomes the worker's VANTREL_GPHOTO_PORT.
CameraLibraryChoice chooseCameraLibrary(std::optional<CameraDriver> chosen,
                                        const std::string& overridePath,
                                        const CameraLibraries& libraries,
                                        const std::string& networkAddress,
                                        const std::function<bool(const std::string&)>& exists);

// The gphoto2 port for a network camera's address as people write it: "192.168.1.20" (the
// standard port), "camera.local:15742" (its own port, used for events too), or a full
// "ptpip:..." port kept as it is. Empty (USB, found by itself) for an empty address.
std::string gphotoPortForAddress(std::string_view address);

// The plain words for a library that is not there, or that is there but does not load, naming
// the way out.
std::string missingLibraryText(CameraDriver driver, bool fromEnvironment,
                               const std::string& libraryPath);
std::string unloadableLibraryText(CameraDriver driver, bool fromEnvironment,
                                  const std::string& loaderError);

}  // namespace vantrel::link
