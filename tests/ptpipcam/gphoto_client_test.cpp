// The camera as libgphoto2's own PTP/IP driver sees it, through the real gphoto2 client.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "camera_fixture.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

constexpr char kFolder[] = "/store_00010001/DCIM/100CANON";

}  // namespace

class GphotoClientTest : public PtpipCameraFixture {};

TEST_F(GphotoClientTest, SummaryShowsTheCameraItsCardAndItsCapture) {
  start_camera();
  const ClientRun run = gphoto({"--summary"});
  ASSERT_EQ(run.status, 0) << run.text();
  EXPECT_THAT(run.text(), HasSubstr("Model: PTP/IP Test Camera"));
  EXPECT_THAT(run.text(), HasSubstr("Generic Image Capture"));
  EXPECT_THAT(run.text(), HasSubstr("File Deletion"));
  EXPECT_THAT(run.text(), HasSubstr("store_00010001:"));
  EXPECT_THAT(run.text(), HasSubstr("Digital Camera Layout (DCIM)"));
  EXPECT_THAT(run.text(), HasSubstr("Battery Level"));
  // Both connections were made on the one port, and the session ended with the client.
  EXPECT_THAT(camera_line("CONNECTED "), HasSubstr("CONNECTED 1 "));
  EXPECT_EQ(camera_line("EVENTS "), "EVENTS 1");
  EXPECT_EQ(camera_line("DISCONNECTED "), "DISCONNECTED 1");
}

TEST_F(GphotoClientTest, ListsShotsInTheDcimFolderAndGetsAndDeletesThem) {
  start_camera({"--image-bytes", "300000", "--raw"});
  control("shoot 2");
  camera_line("ADDED /DCIM/100CANON/IMG_0002.JPG 300000");

  const ClientRun list = gphoto({"--list-files"});
  ASSERT_EQ(list.status, 0) << list.text();
  EXPECT_THAT(list.text(), HasSubstr("There are 4 files in folder '" + std::string(kFolder) + "'"));
  for (const char* name : {"IMG_0001.CR2", "IMG_0001.JPG", "IMG_0002.CR2", "IMG_0002.JPG"}) {
    EXPECT_THAT(list.text(), HasSubstr(name));
  }

  // Files are numbered in the folder's order: 2 is IMG_0001.JPG, 3 is IMG_0002.CR2.
  const ClientRun get = gphoto({"--folder", kFolder, "--get-file", "2-3"});
  ASSERT_EQ(get.status, 0) << get.text();
  expect_download_matches_camera("IMG_0001.JPG");
  expect_download_matches_camera("IMG_0002.CR2");

  const ClientRun del = gphoto({"--folder", kFolder, "--delete-file", "1"});
  ASSERT_EQ(del.status, 0) << del.text();
  EXPECT_EQ(camera_line("DELETED "), "DELETED /DCIM/100CANON/IMG_0001.CR2");
  const ClientRun after = gphoto({"--list-files"});
  EXPECT_THAT(after.text(), HasSubstr("There are 3 files"));
  EXPECT_THAT(after.text(), Not(HasSubstr("IMG_0001.CR2")));
}

TEST_F(GphotoClientTest, CaptureImageAndDownloadGetsTheShotsExactBytes) {
  start_camera({"--image-bytes", "2500000"});
  const ClientRun run = gphoto({"--capture-image-and-download"});
  ASSERT_EQ(run.status, 0) << run.text();
  EXPECT_THAT(run.text(), HasSubstr(std::string(kFolder) + "/IMG_0001.JPG"));
  EXPECT_EQ(camera_line("ADDED "), "ADDED /DCIM/100CANON/IMG_0001.JPG 2500000");
  // Over a megabyte, libgphoto2 reads it in GetPartialObject pieces.
  expect_download_matches_camera("IMG_0001.JPG");
  // gphoto2 removes what it captured and downloaded, unless told to keep it.
  EXPECT_EQ(camera_line("DELETED "), "DELETED /DCIM/100CANON/IMG_0001.JPG");
}

TEST_F(GphotoClientTest, WaitEventAndDownloadFetchesShotsTakenOnTheCamera) {
  start_camera({"--image-bytes", "400000"});
  const auto client = start_gphoto({"--wait-event-and-download=2f", "--keep"});
  camera_line("EVENTS ");
  control("shoot 2");
  const ClientRun run = finish(*client);
  ASSERT_EQ(run.status, 0) << run.text();
  expect_download_matches_camera("IMG_0001.JPG");
  expect_download_matches_camera("IMG_0002.JPG");
}

TEST_F(GphotoClientTest, UnplugEndsTheSessionAndTheCameraTakesANewOne) {
  start_camera();
  const auto client = start_gphoto({"--wait-event=60s"});
  camera_line("EVENTS ");
  control("unplug");
  camera_line("UNPLUGGED");
  const ClientRun cut = finish(*client);
  ASSERT_TRUE(cut.status) << "gphoto2 went on waiting on a closed connection";
  EXPECT_NE(cut.status, 0);

  const ClientRun again = gphoto({"--summary"});
  EXPECT_EQ(again.status, 0) << again.text();
}

TEST_F(GphotoClientTest, SwitchedOffTheCameraRefusesUntilSwitchedOn) {
  start_camera();
  control("shutdown");
  camera_line("OFF");
  const ClientRun refused = gphoto({"--summary"});
  ASSERT_TRUE(refused.status);
  EXPECT_NE(refused.status, 0);

  control("plug");
  camera_line("ON");
  const ClientRun accepted = gphoto({"--summary"});
  EXPECT_EQ(accepted.status, 0) << accepted.text();
}
