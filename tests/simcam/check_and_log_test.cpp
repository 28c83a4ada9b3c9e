// The test aids: the VANTREL_SIM_CHECK report and the VANTREL_SIM_LOG call log.
#include <fstream>

#include <gmock/gmock.h>

#include "simcam_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(SimCamTest, CheckReportsLeaksMisplacedCallsAndUnfinishedItems) {
  set("VANTREL_SIM_CHECK", "1");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(lib().EdsGetEvent(), eds::kNotInitialized);
  EdsCameraRef camera = connect();
  EdsCameraListRef list = nullptr;
  ASSERT_EQ(lib().EdsGetCameraList(&list), eds::kOk);
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  ASSERT_EQ(items_.size(), 1u);
  EXPECT_EQ(lib().EdsRelease(items_[0]), 0u);
  items_.clear();
  EXPECT_EQ(lib().EdsRelease(camera), 0u);
  EXPECT_EQ(lib().EdsTerminateSDK(), eds::kOk);
  EXPECT_EQ(lib().EdsRelease(list), 0xFFFFFFFFu);
  lib_.reset();
  const std::string report = ::testing::internal::GetCapturedStderr();
  EXPECT_THAT(report, HasSubstr("SIMCAM_CHECK|call before initialise EdsGetEvent\n"));
  EXPECT_THAT(report, HasSubstr("SIMCAM_CHECK|leak camera-list refs=1\n"));
  EXPECT_THAT(report, HasSubstr("SIMCAM_CHECK|item released without complete or cancel "
                                "name=IMG_0001.JPG\n"));
  EXPECT_THAT(report, HasSubstr("SIMCAM_CHECK|call after terminate EdsRelease\n"));
  EXPECT_THAT(report, Not(HasSubstr("leak camera ")));
}

TEST_F(SimCamTest, CheckStaysQuietForATidyRun) {
  set("VANTREL_SIM_CHECK", "1");
  ::testing::internal::CaptureStderr();
  EdsCameraRef camera = connect();
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  finish(camera);
  lib_.reset();
  EXPECT_THAT(::testing::internal::GetCapturedStderr(), Not(HasSubstr("SIMCAM_CHECK")));
}

TEST_F(SimCamTest, LogRecordsEachCallInItsDocumentedFormat) {
  const auto log = dir_ / "calls.log";
  set("VANTREL_SIM_LOG", log.string());
  EdsCameraRef camera = connect();
  ASSERT_EQ(lib().EdsSetCapacity(camera, EdsCapacity{0x7FFFFFFF, 4096, 1}), eds::kOk);
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  finish(camera);

  std::vector<std::string> lines;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const std::vector<std::string> expected = {
      "EdsInitializeSDK=0x00000000",
      "EdsGetCameraList count=1 =0x00000000",
      "EdsGetChildAtIndex kind=camera-list index=0 =0x00000000",
      "EdsRelease kind=camera-list =0x00000000",
      "EdsSetObjectEventHandler event=0x00000200 handler=set =0x00000000",
      "EdsSetCameraStateEventHandler event=0x00000300 handler=set =0x00000000",
      "EdsOpenSession=0x00000000",
      "EdsSetPropertyData prop=0x0000000B value=2 =0x00000000",
      "EdsSetCapacity clusters=2147483647 bytes=4096 reset=1 =0x00000000",
      "shot camera=0 number=1 transfer=1",
      "EdsSendCommand cmd=0x00000004 param=0x00000003 =0x00000000",
      "EdsGetEvent=0x00000000",
      "deliver object event=0x00000208 name=IMG_0001.JPG",
      "EdsDownloadCancel name=IMG_0001.JPG =0x00000000",
      "EdsRelease kind=directory-item =0x00000000",
      "EdsCloseSession=0x00000000",
      "EdsRelease kind=camera =0x00000000",
      "EdsTerminateSDK=0x00000000",
  };
  EXPECT_EQ(lines, expected);
}

}  // namespace
