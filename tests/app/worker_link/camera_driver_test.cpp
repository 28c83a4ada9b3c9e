// Which camera library the worker is given, and what the operator reads when it is not there.
#include "camera_driver.h"

#include <gtest/gtest.h>

#include "worker_message.h"

namespace vantrel::link {
namespace {

const CameraLibraries kLibraries{"/opt/v/libEDSDK.so", "/opt/v/libvantrel_gphoto.so",
                                 "/opt/v/simcam/libvantrel_simcam.so"};

CameraLibraryChoice choose(std::optional<CameraDriver> chosen, bool makersInstalled,
                           const std::string& overridePath = {}, const std::string& address = {},
                           const CameraLibraries& libraries = kLibraries) {
  return chooseCameraLibrary(
      chosen, overridePath, libraries, address,
      [&](const std::string& path) { return makersInstalled && path == libraries.makers; });
}

TEST(CameraDriverChoice, WithoutAChoiceTheMakersLibraryWhenInstalledElseGphoto) {
  EXPECT_EQ(choose(std::nullopt, true).libraryPath, kLibraries.makers);
  EXPECT_EQ(choose(std::nullopt, false).driver, CameraDriver::Gphoto);
  EXPECT_EQ(choose(std::nullopt, false).libraryPath, kLibraries.gphoto);
  // A choice stands even when its library is missing: the operator is told, not overruled.
  EXPECT_EQ(choose(CameraDriver::MakersLibrary, false).libraryPath, kLibraries.makers);
  EXPECT_EQ(choose(CameraDriver::Simulated, true).libraryPath, kLibraries.simulated);
  // A build without the simulated camera falls back as if nothing were chosen.
  EXPECT_EQ(
      choose(CameraDriver::Simulated, false, {}, {}, {kLibraries.makers, kLibraries.gphoto, ""})
          .driver,
      CameraDriver::Gphoto);
}

TEST(CameraDriverChoice, TheEnvironmentWinsAndIsNamedByItsFile) {
  const auto bridge = choose(CameraDriver::MakersLibrary, true, "/tmp/libvantrel_gphoto.so");
  EXPECT_TRUE(bridge.fromEnvironment);
  EXPECT_EQ(bridge.libraryPath, "/tmp/libvantrel_gphoto.so");
  EXPECT_EQ(bridge.driver, CameraDriver::Gphoto);
  EXPECT_EQ(choose(CameraDriver::Gphoto, true, "/x/libEDSDK.so").driver,
            CameraDriver::MakersLibrary);
}

TEST(CameraDriverChoice, ANetworkAddressBecomesTheGphotoPortOnlyForGphoto) {
  EXPECT_EQ(gphotoPortForAddress(""), "");
  EXPECT_EQ(gphotoPortForAddress("  192.168.1.20 "), "ptpip:192.168.1.20");
  EXPECT_EQ(gphotoPortForAddress("127.0.0.1:15742"), "ptpip:127.0.0.1:15742:15742");
  EXPECT_EQ(gphotoPortForAddress("ptpip:10.0.0.5:15740:15741"), "ptpip:10.0.0.5:15740:15741");
  EXPECT_EQ(gphotoPortForAddress("camera.local:abc"), "ptpip:camera.local:abc");
  EXPECT_EQ(choose(CameraDriver::Gphoto, true, {}, "127.0.0.1:9")
                .workerEnvironment.at("VANTREL_GPHOTO_PORT"),
            "ptpip:127.0.0.1:9:9");
  EXPECT_TRUE(
      choose(CameraDriver::MakersLibrary, true, {}, "127.0.0.1:9").workerEnvironment.empty());
  EXPECT_TRUE(choose(CameraDriver::Gphoto, true).workerEnvironment.empty()) << "USB finds itself";
}

TEST(CameraDriverChoice, SettingValuesRoundTripAndUnknownOnesAreNoChoice) {
  for (CameraDriver driver :
       {CameraDriver::MakersLibrary, CameraDriver::Gphoto, CameraDriver::Simulated}) {
    EXPECT_EQ(driverFromSettingValue(driverSettingValue(driver)), driver);
  }
  EXPECT_EQ(driverFromSettingValue("edsdk"), std::nullopt);
}

TEST(CameraDriverTexts, NameTheWayOut) {
  const std::string missing =
      missingLibraryText(CameraDriver::MakersLibrary, false, "/x/libEDSDK.so");
  EXPECT_NE(missing.find("/x/libEDSDK.so"), std::string::npos);
  EXPECT_NE(missing.find("Any USB or network camera (gphoto2)"), std::string::npos);
  EXPECT_NE(unloadableLibraryText(CameraDriver::Gphoto, false, "libgphoto2.so.6: cannot open")
                .find("libgphoto2-6"),
            std::string::npos);
  EXPECT_NE(missingLibraryText(CameraDriver::Gphoto, true, "/y.so").find("VANTREL_SDK_PATH"),
            std::string::npos);
}

TEST(CameraDriverTexts, ALoadFailureAndABusyCameraUnderGphoto) {
  const auto unloadable =
      classifyWorkerError("dlopen failed: libfoo.so: cannot open shared object");
  EXPECT_EQ(unloadable.errorClass, WorkerErrorClass::LibraryUnloadable);
  EXPECT_EQ(unloadable.shownText, "libfoo.so: cannot open shared object");
  const auto busy =
      classifyWorkerError("Camera busy (EdsOpenSession 0x000000C0)", CameraDriver::Gphoto);
  EXPECT_EQ(busy.errorClass, WorkerErrorClass::Busy);
  EXPECT_NE(busy.shownText.find("file manager"), std::string::npos);
  EXPECT_EQ(classifyWorkerError("Camera busy").shownText.find("file manager"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::link
