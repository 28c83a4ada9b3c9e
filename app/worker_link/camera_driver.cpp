#include "camera_driver.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vantrel::link {

namespace {

struct DriverNames {
  CameraDriver driver;
  std::string_view settingValue;
  std::string_view title;
  std::string_view subject;  // how a sentence names it
};

constexpr std::array<DriverNames, 3> kDrivers = {{
    {CameraDriver::MakersLibrary, "maker", "Camera maker's library", "The camera maker's library"},
    {CameraDriver::Gphoto, "gphoto2", "Any USB or network camera (gphoto2)",
     "The gphoto2 camera driver"},
    {CameraDriver::Simulated, "simulated", "Simulated camera", "The simulated camera"},
}};

const DriverNames& namesOf(CameraDriver driver) {
  return *std::find_if(kDrivers.begin(), kDrivers.end(),
                       [driver](const DriverNames& names) { return names.driver == driver; });
}

std::string trimmed(std::string_view text) {
  const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
  const auto first = std::find_if(text.begin(), text.end(), notSpace);
  const auto last = std::find_if(text.rbegin(), text.rend(), notSpace).base();
  return first < last ? std::string(first, last) : std::string();
}

// The way out when the library at hand does not serve.
std::string wayOut(CameraDriver driver, bool fromEnvironment) {
  if (fromEnvironment) return " Unset VANTREL_SDK_PATH, or point it at a camera library.";
  switch (driver) {
    case CameraDriver::MakersLibrary:
      return " Choose \"Any USB or network camera (gphoto2)\" under Camera driver in the settings, "
             "or put the maker's libEDSDK.so (and the libraries that come with it) in that folder.";
    case CameraDriver::Gphoto:
      return " Install the package libgphoto2-6 (sudo apt install libgphoto2-6), or reinstall "
             "Vantrel Photo Tether.";
    case CameraDriver::Simulated:
      break;
  }
  return " Choose another camera driver in the settings.";
}

}  // namespace

std::string_view driverSettingValue(CameraDriver driver) {
  return namesOf(driver).settingValue;
}

std::optional<CameraDriver> driverFromSettingValue(std::string_view value) {
  for (const DriverNames& names : kDrivers) {
    if (names.settingValue == value) return names.driver;
  }
  return std::nullopt;
}

std::string_view driverTitle(CameraDriver driver) {
  return namesOf(driver).title;
}

CameraLibraryChoice chooseCameraLibrary(std::optional<CameraDriver> chosen,
                                        const std::string& overridePath,
                                        const CameraLibraries& libraries,
                                        const std::string& networkAddress,
                                        const std::function<bool(const std::string&)>& exists) {
  CameraLibraryChoice choice;
  if (!overridePath.empty()) {
    choice.libraryPath = overridePath;
    choice.fromEnvironment = true;
    // Named after what it is, whatever the setting says.
    const std::string name = overridePath.substr(overridePath.find_last_of('/') + 1);
    choice.driver = name.find("gphoto") != std::string::npos   ? CameraDriver::Gphoto
                    : name.find("simcam") != std::string::npos ? CameraDriver::Simulated
                                                               : CameraDriver::MakersLibrary;
  } else {
    const bool usable =
        chosen.has_value() && !(*chosen == CameraDriver::Simulated && libraries.simulated.empty());
    if (usable) {
      choice.driver = *chosen;
    } else {
      choice.driver = exists(libraries.makers) ? CameraDriver::MakersLibrary : CameraDriver::Gphoto;
    }
    switch (choice.driver) {
      case CameraDriver::MakersLibrary:
        choice.libraryPath = libraries.makers;
        break;
      case CameraDriver::Gphoto:
        choice.libraryPath = libraries.gphoto;
        break;
      case CameraDriver::Simulated:
        choice.libraryPath = libraries.simulated;
        break;
    }
  }
  if (choice.driver == CameraDriver::Gphoto) {
    const std::string port = gphotoPortForAddress(networkAddress);
    if (!port.empty()) choice.workerEnvironment["VANTREL_GPHOTO_PORT"] = port;
  }
  return choice;
}

std::string gphotoPortForAddress(std::string_view address) {
  const std::string text = trimmed(address);
  if (text.empty()) return {};
  if (text.rfind("ptpip:", 0) == 0) return text;
  // "host:port": libgphoto2 would look for events on the standard port; the camera's own port
  // serves both.
  const auto colon = text.find(':');
  if (colon != std::string::npos && colon == text.rfind(':') && colon + 1 < text.size() &&
      std::all_of(text.begin() + static_cast<std::ptrdiff_t>(colon) + 1, text.end(),
                  [](unsigned char c) { return std::isdigit(c); })) {
    const std::string port = text.substr(colon + 1);
    return "ptpip:" + text.substr(0, colon) + ":" + port + ":" + port;
  }
  return "ptpip:" + text;
}

std::string missingLibraryText(CameraDriver driver, bool fromEnvironment,
                               const std::string& libraryPath) {
  const std::string what = fromEnvironment ? "The camera library named by VANTREL_SDK_PATH"
                                           : std::string(namesOf(driver).subject);
  return what + " is not installed: there is no " + libraryPath + "." +
         wayOut(driver, fromEnvironment);
}

std::string unloadableLibraryText(CameraDriver driver, bool fromEnvironment,
                                  const std::string& loaderError) {
  const std::string what = fromEnvironment ? "The camera library named by VANTREL_SDK_PATH"
                                           : std::string(namesOf(driver).subject);
  return what + " could not be loaded (" + loaderError + ")." + wayOut(driver, fromEnvironment);
}

}  // namespace vantrel::link
