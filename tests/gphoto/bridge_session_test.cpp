// Listing, opening and the save target of the bridge, over a scripted libgphoto2.
#include <gphoto2/gphoto2-result.h>

#include <fstream>

#include "bridge_fixture.h"
#include "gphoto_errors.h"

namespace {

TEST_F(BridgeTest, ANetworkPortIsListedAsAPtpIpCameraWithoutProbingUsb) {
  setenv("VANTREL_GPHOTO_PORT", "ptpip:127.0.0.1:15999:15999", 1);
  api_->detected.clear();
  ASSERT_EQ(connect(), eds::kOk);
  ASSERT_EQ(api_->opened.size(), 1u);
  EXPECT_EQ(api_->opened[0].model, "PTP/IP Camera");
  EXPECT_EQ(api_->opened[0].port, "ptpip:127.0.0.1:15999:15999");
}

TEST_F(BridgeTest, AUsbPortSettingListsOnlyTheCameraDetectedOnIt) {
  api_->detected = {{"Nikon DSC D750", "usb:001,004"}, {"Canon EOS 90D", "usb:001,005"}};
  setenv("VANTREL_GPHOTO_PORT", "usb:001,005", 1);
  ASSERT_EQ(library_->initialize(), eds::kOk);
  EdsCameraListRef list = nullptr;
  ASSERT_EQ(library_->get_camera_list(&list), eds::kOk);
  uint32_t count = 0;
  EXPECT_EQ(library_->get_child_count(list, &count), eds::kOk);
  EXPECT_EQ(count, 1u);
  setenv("VANTREL_GPHOTO_PORT", "usb:002,009", 1);
  library_->terminate();
  library_->initialize();
  ASSERT_EQ(library_->get_camera_list(&list), eds::kOk);
  EXPECT_EQ(library_->get_child_count(list, &count), eds::kOk);
  EXPECT_EQ(count, 0u) << "nothing on that port";
}

TEST_F(BridgeTest, ACameraTheAutomounterHoldsIsReleasedOnceThenBusyForTheWorkersRetries) {
  api_->open_results = {GP_ERROR_IO_USB_CLAIM, GP_ERROR_IO_USB_CLAIM, GP_ERROR_IO_USB_CLAIM};
  EXPECT_EQ(connect(), eds::kDeviceBusy);
  EXPECT_EQ(automounter_->released, std::vector<std::string>{"usb:001,005"});
  EXPECT_EQ(api_->opened.size(), 2u) << "opened again at once after the release";
  ASSERT_FALSE(log_.empty());
  EXPECT_NE(log_[0].find("usb:001,005 is held by another program (-53"), std::string::npos);
  EXPECT_NE(log_[0].find("exit=0"), std::string::npos);
  // The worker's next attempt: busy again, without asking the automounter a second time.
  EXPECT_EQ(library_->open_session(camera_), eds::kDeviceBusy);
  EXPECT_EQ(automounter_->released.size(), 1u);
  // Then the camera is free.
  EXPECT_EQ(library_->open_session(camera_), eds::kOk);
}

TEST_F(BridgeTest, AReleaseThatFreesTheCameraOpensTheSessionAtOnce) {
  api_->open_results = {GP_ERROR_IO_USB_CLAIM};
  EXPECT_EQ(connect(), eds::kOk);
  EXPECT_EQ(automounter_->released.size(), 1u);
}

TEST_F(BridgeTest, ANetworkCameraIsNeverHandedToTheAutomounterAndOtherFailuresAreNotBusy) {
  setenv("VANTREL_GPHOTO_PORT", "ptpip:127.0.0.1:15999:15999", 1);
  api_->open_results = {GP_ERROR_IO_USB_CLAIM, GP_ERROR_IO, GP_ERROR_MODEL_NOT_FOUND};
  EXPECT_EQ(connect(), eds::kDeviceBusy);
  EXPECT_TRUE(automounter_->released.empty());
  EXPECT_EQ(library_->open_session(camera_), eds::kCommDisconnected);
  EXPECT_EQ(library_->open_session(camera_), eds::kDeviceNotFound);
}

TEST_F(BridgeTest, CardCheckCountsTheStoragesLibgphoto2Reports) {
  ASSERT_EQ(connect(eds::kSaveToCamera), eds::kOk);
  uint32_t volumes = 9;
  EXPECT_EQ(library_->get_child_count(camera_, &volumes), eds::kOk);
  EXPECT_EQ(volumes, 1u);
  api_->storages = 0;
  EXPECT_EQ(library_->get_child_count(camera_, &volumes), eds::kOk);
  EXPECT_EQ(volumes, 0u);
}

TEST_F(BridgeTest, TheCaptureTargetIsSetForTheSessionAndNeverLeftInTheUsersSettings) {
  std::ofstream(settings_path_) << "ptp2=capturetarget=card\nptp2_ip=guid=aa:bb\n";
  api_->settings = {{"ptp2/capturetarget", "card"}, {"ptp2_ip/guid", "aa:bb"}};
  api_->has_capture_target = true;
  api_->capture_target.value = "Memory card";
  ASSERT_EQ(connect(eds::kSaveToHost), eds::kOk);
  EXPECT_EQ(api_->capture_target.value, "Internal RAM") << "computer only: the camera's RAM";
  EXPECT_EQ(api_->settings["ptp2/capturetarget"], "sdram") << "libgphoto2 uses it this session";
  EXPECT_EQ(settings_text(), "ptp2=capturetarget=card\nptp2_ip=guid=aa:bb\n");

  ASSERT_EQ(set_save_to(eds::kSaveToBoth), eds::kOk);
  EXPECT_EQ(api_->capture_target.value, "Memory card");
  ASSERT_EQ(library_->close_session(camera_), eds::kOk);
  EXPECT_EQ(api_->settings["ptp2/capturetarget"], "card") << "the user's own value is back";
  EXPECT_EQ(settings_text(), "ptp2=capturetarget=card\nptp2_ip=guid=aa:bb\n");
}

TEST_F(BridgeTest, WithoutASettingsFileNoneIsLeftBehind) {
  api_->has_capture_target = true;
  api_->capture_target.value = "Memory card";
  ASSERT_EQ(connect(eds::kSaveToHost), eds::kOk);
  EXPECT_EQ(api_->capture_target.value, "Internal RAM");
  EXPECT_FALSE(std::filesystem::exists(settings_path_));
}

TEST_F(BridgeTest, ACameraWithoutACaptureTargetStillConnectsInEveryMode) {
  ASSERT_EQ(connect(eds::kSaveToCamera), eds::kOk);
  EXPECT_EQ(set_save_to(eds::kSaveToBoth), eds::kOk);
  EXPECT_EQ(set_save_to(eds::kSaveToHost), eds::kOk);
  EXPECT_EQ(set_save_to(4), eds::kInvalidParameter);
  EXPECT_FALSE(std::filesystem::exists(settings_path_));
  ASSERT_EQ(library_->close_session(camera_), eds::kOk);
  EXPECT_EQ(set_save_to(eds::kSaveToHost), gphoto::kSessionNotOpen);
}

TEST_F(BridgeTest, AFullShutterPressTriggersACaptureAndTheOtherButtonStatesDoNothing) {
  ASSERT_EQ(connect(), eds::kOk);
  using namespace eds;
  EXPECT_EQ(
      library_->send_command(camera_, kCameraCommandPressShutterButton, kShutterButtonCompletely),
      kOk);
  EXPECT_EQ(library_->send_command(camera_, kCameraCommandPressShutterButton,
                                   kShutterButtonCompletelyNonAF),
            kOk);
  EXPECT_EQ(library_->send_command(camera_, kCameraCommandPressShutterButton, kShutterButtonOff),
            kOk);
  EXPECT_EQ(library_->send_command(camera_, kCameraCommandExtendShutDownTimer, 0), kOk);
  EXPECT_EQ(api_->triggers, 2);
  api_->trigger_result = GP_ERROR_NOT_SUPPORTED;
  EXPECT_EQ(
      library_->send_command(camera_, kCameraCommandPressShutterButton, kShutterButtonCompletely),
      gphoto::kUnimplemented);
}

}  // namespace
