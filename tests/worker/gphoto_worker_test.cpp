// The worker over the libgphoto2 bridge and the PTP/IP test camera: libgphoto2's real PTP driver
// on a loopback port, driven through the same commands and answering with the same lines as with
// the simulated camera. Every libgphoto2 client gets a HOME of its own (libgphoto2 keeps a PTP/IP
// identity under ~/.gphoto).
#include "ptpip_camera_process.h"
#include "worker_test_fixture.h"

namespace fs = std::filesystem;

namespace {

const std::string kShutdownLine =
    "DISCONNECTED|Camera shutdown/disconnect detected by native C++ worker.";

class GphotoWorkerTest : public WorkerTest {
 protected:
  // Starts the camera and a worker that uses the bridge for it, and connects.
  ChildProcess& start_connected(const std::string& save_mode, bool watch = true,
                                uint64_t image_bytes = 0) {
    camera_ = std::make_unique<PtpIpCameraProcess>(dir_, image_bytes);
    EXPECT_TRUE(camera_->listening()) << "the PTP/IP camera did not start";
    fs::create_directories(dir_ / "home");
    auto& worker = start(fast_camera_env({{"VANTREL_GPHOTO_PORT", camera_->gphoto_port()},
                                          {"VANTREL_CPP_REGISTER_STATE_HANDLER", "1"},
                                          {"HOME", (dir_ / "home").string()}}),
                         save_mode, VANTREL_GPHOTO_PATH);
    connect();
    if (watch) {
      worker.send("PUMP_ACTIVE");
      EXPECT_TRUE(worker.wait_for_line("PUMP_ACTIVE_READY|OK", 5s));
    }
    return worker;
  }

  // The announcement of a download, up to the id of the event it answers.
  std::string downloaded_line(const std::string& name) const {
    return "DOWNLOADED|" + (download_ / name).string() + "|id=";
  }

  std::unique_ptr<PtpIpCameraProcess> camera_;
};

TEST_F(GphotoWorkerTest, ShotsTakenOnTheCameraArriveWithTheirExactBytes) {
  auto& worker = start_connected("card", true, 300000);
  EXPECT_TRUE(worker.saw("LOG|[CPP_WORKER] card_check card_present=1"));
  EXPECT_TRUE(worker.saw("STATUS|Connected (card)"));
  camera_->command("shoot 2");
  ASSERT_TRUE(worker.wait_for_prefix(downloaded_line("IMG_0002.JPG"), 20s));
  EXPECT_TRUE(worker.saw("CAPTURE_EVENT|event=0x00000208|id=1"));
  EXPECT_TRUE(worker.saw("STATUS|Downloaded: IMG_0001.JPG"));
  EXPECT_TRUE(worker.lines_with_prefix("ERROR|").empty());
  for (const char* name : {"IMG_0001.JPG", "IMG_0002.JPG"}) {
    const std::string bytes = file_bytes(download_ / name);
    EXPECT_EQ(bytes.size(), 300000u) << name;
    EXPECT_TRUE(bytes == camera_->shot_bytes(name)) << name << " differs from the camera's file";
  }
  // Card mode: the camera keeps its files.
  EXPECT_TRUE(camera_->output().lines_with_prefix("DELETED ").empty());
}

TEST_F(GphotoWorkerTest, ComputerOnlyDeletesEachFileFromTheCameraOnceItIsDownloaded) {
  auto& worker = start_connected("disk");
  camera_->command("shoot");
  ASSERT_TRUE(worker.wait_for_prefix(downloaded_line("IMG_0001.JPG"), 20s));
  ASSERT_TRUE(camera_->output().wait_for_line("DELETED /DCIM/100CANON/IMG_0001.JPG", 10s));
  EXPECT_TRUE(file_bytes(download_ / "IMG_0001.JPG") == camera_->shot_bytes("IMG_0001.JPG"));
  // The delete comes after the download, never before.
  const int deleted = worker.index_of(
      "LOG|[CPP_WORKER] gphoto2: deleted /store_00010001/DCIM/100CANON/IMG_0001.JPG from the "
      "camera (computer only)");
  ASSERT_GE(deleted, 0);
  EXPECT_LT(worker.index_of("LOG|[CPP_WORKER] EdsDownload=0x00000000"), deleted);
}

TEST_F(GphotoWorkerTest, TakePhotoFiresTheCamerasShutterAndThePictureIsDownloaded) {
  auto& worker = start_connected("both");
  worker.send("REMOTE_CAPTURE");
  ASSERT_TRUE(worker.wait_for_line("REMOTE_CAPTURED|OK", 10s));
  ASSERT_TRUE(worker.wait_for_prefix(downloaded_line("IMG_0001.JPG"), 20s));
  EXPECT_TRUE(file_bytes(download_ / "IMG_0001.JPG") == camera_->shot_bytes("IMG_0001.JPG"));
}

TEST_F(GphotoWorkerTest, APictureWhileNotWatchingStaysOnTheCamera) {
  auto& worker = start_connected("disk", false);
  camera_->command("shoot");
  ASSERT_TRUE(worker.wait_for_prefix("WARN|CAPTURE_IGNORED_NOT_WATCHING|", 20s));
  EXPECT_TRUE(fs::is_empty(download_));
  EXPECT_TRUE(camera_->output().lines_with_prefix("DELETED ").empty());
}

TEST_F(GphotoWorkerTest, AnUnpluggedCameraEndsTheSessionAndAReconnectCarriesOn) {
  auto& worker = start_connected("card");
  camera_->command("unplug");
  ASSERT_TRUE(worker.wait_for_line(kShutdownLine, 20s));
  EXPECT_EQ(worker.lines_with_prefix("DISCONNECTED|"), std::vector<std::string>{kShutdownLine});
  EXPECT_TRUE(worker.lines_with_prefix("ERROR|").empty());

  // The application's reconnect: disconnect, connect again, watch again.
  worker.send("DISCONNECT");
  ASSERT_TRUE(worker.wait_for_line("DISCONNECTED|OK", 10s));
  connect();
  worker.send("PUMP_ACTIVE");
  ASSERT_TRUE(worker.wait_for_line("PUMP_ACTIVE_READY|OK", 5s));
  camera_->command("shoot");
  ASSERT_TRUE(worker.wait_for_prefix("DOWNLOADED|", 20s));
  EXPECT_TRUE(worker.lines_with_prefix("ERROR|").empty());

  // Ending a session must leave the worker's command pipe alone (libgphoto2 2.5.30 closes
  // descriptor 0 at the end of every PTP/IP session).
  worker.send("DISCONNECT");
  ASSERT_TRUE(worker.wait_for_line("DISCONNECTED|OK", 10s));
  connect();
  worker.send("QUIT");
  EXPECT_TRUE(worker.wait_for_line("QUIT|Worker exiting", 10s));
  EXPECT_EQ(worker.wait_exit(10s), 0);
}

TEST_F(GphotoWorkerTest, ACameraThatIsNotThereIsNeverConnected) {
  fs::create_directories(dir_ / "home");
  // A loopback port nobody listens on.
  auto& worker = start(fast_camera_env({{"VANTREL_GPHOTO_PORT", "ptpip:127.0.0.1:9:9"},
                                        {"HOME", (dir_ / "home").string()}}),
                       "card", VANTREL_GPHOTO_PATH);
  worker.send("CONNECT");
  auto end = worker.wait_for(
      [](const std::string& l) { return l == "CONNECTED|OK" || l.rfind("ERROR|", 0) == 0; }, 60s);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->rfind("ERROR|EdsOpenSession failed: ", 0), 0u) << *end;
}

}  // namespace
