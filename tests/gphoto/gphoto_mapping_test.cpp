// The bridge's translations that need no session: libgphoto2 results into vendor codes, save
// targets into capture-target choices, and the LOG line it writes.
#include <gphoto2/gphoto2-result.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "capture_target.h"
#include "gio_automounter.h"
#include "gphoto_errors.h"
#include "protocol_log.h"

namespace {

using gphoto::choose_capture_target;
using gphoto::eds_error_from_gphoto;

TEST(GphotoMapping, ResultsBecomeTheVendorCodesTheWorkerActsOn) {
  EXPECT_EQ(eds_error_from_gphoto(GP_OK), eds::kOk);
  for (int busy : {GP_ERROR_IO_USB_CLAIM, GP_ERROR_IO_LOCK, GP_ERROR_CAMERA_BUSY}) {
    EXPECT_EQ(eds_error_from_gphoto(busy), eds::kDeviceBusy) << busy;
  }
  for (int gone : {GP_ERROR_IO, GP_ERROR_IO_READ, GP_ERROR_IO_WRITE, GP_ERROR_TIMEOUT}) {
    EXPECT_EQ(eds_error_from_gphoto(gone), eds::kCommDisconnected) << gone;
    EXPECT_TRUE(gphoto::is_camera_lost(gone)) << gone;
  }
  EXPECT_EQ(eds_error_from_gphoto(GP_ERROR_MODEL_NOT_FOUND), eds::kDeviceNotFound);
  EXPECT_EQ(eds_error_from_gphoto(GP_ERROR_FILE_NOT_FOUND), gphoto::kFileNotFound);
  EXPECT_EQ(eds_error_from_gphoto(GP_ERROR), eds::kInternalError);
  EXPECT_FALSE(gphoto::is_camera_lost(GP_ERROR_IO_USB_CLAIM));
  EXPECT_FALSE(gphoto::is_camera_lost(GP_ERROR));
}

TEST(GphotoMapping, SaveTargetsPickTheCameraTargetThatFits) {
  const std::vector<std::string> nikon_canon = {"Internal RAM", "Memory card"};
  const std::vector<std::string> sony = {"sdram", "card", "card+sdram"};
  EXPECT_EQ(choose_capture_target(eds::kSaveToHost, nikon_canon), "Internal RAM");
  EXPECT_EQ(choose_capture_target(eds::kSaveToCamera, nikon_canon), "Memory card");
  EXPECT_EQ(choose_capture_target(eds::kSaveToBoth, nikon_canon), "Memory card");
  EXPECT_EQ(choose_capture_target(eds::kSaveToHost, sony), "sdram");
  EXPECT_EQ(choose_capture_target(eds::kSaveToCamera, sony), "card");
  EXPECT_EQ(choose_capture_target(eds::kSaveToBoth, sony), "card+sdram");
  EXPECT_EQ(choose_capture_target(eds::kSaveToHost, {"Karte", "Interner RAM"}), std::nullopt);
  EXPECT_EQ(choose_capture_target(0, nikon_canon), std::nullopt);
}

TEST(GphotoMapping, ALogLineIsOneWholeWorkerLineThatFitsOneAtomicWrite) {
  EXPECT_EQ(gphoto::worker_log_line("gphoto2: a\nb"), "LOG|[CPP_WORKER] gphoto2: a b\n");
  const std::string long_line = gphoto::worker_log_line(std::string(10000, 'x'));
  EXPECT_EQ(long_line.size(), static_cast<std::size_t>(PIPE_BUF));
  EXPECT_EQ(long_line.back(), '\n');
  EXPECT_EQ(long_line.find('\n'), long_line.size() - 1);
}

TEST(GphotoMapping, TheAutomounterIsAskedThroughGioWithoutAShellAndWithATimeLimit) {
  EXPECT_EQ(gphoto::GioAutomounter::address_of("usb:001,005"), "gphoto2://[usb:001,005]/");
  EXPECT_EQ(gphoto::GioAutomounter("true").release("usb:001,005"),
            "gio mount -u gphoto2://[usb:001,005]/ exit=0");
  // A port with shell syntax in it is one argument, never a command.
  EXPECT_EQ(gphoto::GioAutomounter("false").release("usb:1;touch /tmp/x"),
            "gio mount -u gphoto2://[usb:1;touch /tmp/x]/ exit=1");
  const std::filesystem::path hanging =
      std::filesystem::temp_directory_path() / ("hanging_gio_" + std::to_string(getpid()));
  std::ofstream(hanging) << "#!/bin/sh\nsleep 30\n";
  std::filesystem::permissions(hanging, std::filesystem::perms::owner_all);
  EXPECT_EQ(gphoto::GioAutomounter(hanging, std::chrono::milliseconds(200)).release("usb:1,2"),
            "gio mount -u gphoto2://[usb:1,2]/ timed out");
  std::filesystem::remove(hanging);
  EXPECT_NE(gphoto::GioAutomounter("/nonexistent/gio").release("usb:001,005").find("not started"),
            std::string::npos);
}

}  // namespace
