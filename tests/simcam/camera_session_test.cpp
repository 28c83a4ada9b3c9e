// Listing, refs and sessions.
#include <chrono>

#include "simcam_fixture.h"

namespace {

TEST_F(SimCamTest, ListsTheConfiguredNumberOfCameras) {
  set("VANTREL_SIM_CAMERAS", "2");
  ASSERT_EQ(init(), eds::kOk);
  EXPECT_EQ(list_count(), 2u);
  ASSERT_EQ(lib().EdsTerminateSDK(), eds::kOk);

  set("VANTREL_SIM_CAMERAS", "0");
  ASSERT_EQ(init(), eds::kOk);
  EXPECT_EQ(list_count(), 0u);
  EXPECT_EQ(lib().EdsTerminateSDK(), eds::kOk);
}

TEST_F(SimCamTest, CameraAppearsAfterTheConfiguredListingsAndIsAnnouncedWhilePumping) {
  set("VANTREL_SIM_APPEAR_AFTER", "2");
  ASSERT_EQ(init(), eds::kOk);
  ASSERT_EQ(lib().EdsSetCameraAddedHandler(on_added, this), eds::kOk);
  EXPECT_EQ(list_count(), 0u);
  pump();
  EXPECT_EQ(cameras_added_, 0);
  EXPECT_EQ(list_count(), 0u);
  EXPECT_EQ(cameras_added_, 0);  // only ever from inside a pump
  pump();
  EXPECT_EQ(cameras_added_, 1);
  EXPECT_EQ(list_count(), 1u);
  pump();
  EXPECT_EQ(cameras_added_, 1);
  EXPECT_EQ(lib().EdsTerminateSDK(), eds::kOk);
}

TEST_F(SimCamTest, FirstOpensReportBusyThenTheSessionOpens) {
  set("VANTREL_SIM_BUSY_OPENS", "2");
  ASSERT_EQ(init(), eds::kOk);
  EdsCameraRef camera = first_camera();
  EXPECT_EQ(lib().EdsOpenSession(camera), eds::kDeviceBusy);
  EXPECT_EQ(lib().EdsOpenSession(camera), eds::kDeviceBusy);
  EXPECT_EQ(lib().EdsOpenSession(camera), eds::kOk);
  uint32_t volumes = 0;
  EXPECT_EQ(lib().EdsGetChildCount(camera, &volumes), eds::kOk);
  EXPECT_EQ(volumes, 1u);
  finish(camera);
}

TEST_F(SimCamTest, CameraWithoutCardHasNoVolume) {
  set("VANTREL_SIM_NO_CARD", "1");
  EdsCameraRef camera = connect();
  uint32_t volumes = 7;
  EXPECT_EQ(lib().EdsGetChildCount(camera, &volumes), eds::kOk);
  EXPECT_EQ(volumes, 0u);
  finish(camera);
}

TEST_F(SimCamTest, RefsAreCountedAndUnknownRefsRejected) {
  ASSERT_EQ(init(), eds::kOk);
  EdsCameraListRef list = nullptr;
  ASSERT_EQ(lib().EdsGetCameraList(&list), eds::kOk);
  EdsCameraRef first = nullptr;
  EdsCameraRef second = nullptr;
  ASSERT_EQ(lib().EdsGetChildAtIndex(list, 0, &first), eds::kOk);
  ASSERT_EQ(lib().EdsGetChildAtIndex(list, 0, &second), eds::kOk);
  EXPECT_EQ(first, second);
  EXPECT_NE(lib().EdsGetChildAtIndex(list, 1, &second), eds::kOk);
  EXPECT_EQ(lib().EdsRelease(list), 0u);
  EXPECT_EQ(lib().EdsRelease(first), 1u);
  EXPECT_EQ(lib().EdsRelease(first), 0u);
  EXPECT_EQ(lib().EdsRelease(first), 0xFFFFFFFFu);
  EXPECT_EQ(lib().EdsOpenSession(first), eds::kInvalidHandle);
  EXPECT_EQ(lib().EdsOpenSession(nullptr), eds::kInvalidHandle);
  EXPECT_EQ(lib().EdsTerminateSDK(), eds::kOk);
  EXPECT_EQ(lib().EdsGetEvent(), eds::kNotInitialized);
  EXPECT_EQ(lib().EdsTerminateSDK(), eds::kNotInitialized);
}

TEST_F(SimCamTest, InitialiseWaitsAndFailsAsConfigured) {
  set("VANTREL_SIM_INIT_DELAY_MS", "40");
  set("VANTREL_SIM_INIT_ERROR", "0x22");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(init(), 0x22u);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
  EdsCameraListRef list = nullptr;
  EXPECT_EQ(lib().EdsGetCameraList(&list), eds::kNotInitialized);
}

TEST_F(SimCamTest, CommandsAndSaveTargetNeedAnOpenSession) {
  ASSERT_EQ(init(), eds::kOk);
  EdsCameraRef camera = first_camera();
  EXPECT_NE(shoot(camera), eds::kOk);
  EXPECT_NE(set_save_to(camera, eds::kSaveToHost), eds::kOk);
  ASSERT_EQ(lib().EdsOpenSession(camera), eds::kOk);
  EXPECT_EQ(lib().EdsSendCommand(camera, eds::kCameraCommandExtendShutDownTimer, 0), eds::kOk);
  EXPECT_EQ(set_save_to(camera, 4), eds::kInvalidParameter);
  EXPECT_EQ(set_save_to(camera, eds::kSaveToBoth), eds::kOk);
  EXPECT_EQ(lib().EdsSetCapacity(camera, EdsCapacity{0x7FFFFFFF, 4096, 1}), eds::kOk);
  finish(camera);
}

}  // namespace
