// The control channel and delivery through the worker's run loop.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "fake_run_loop.h"
#include "simcam_fixture.h"

namespace {

TEST_F(SimCamTest, ControlFileShootsInOrderAndReadsEachLineOnce) {
  const auto control = dir_ / "control";
  set("VANTREL_SIM_CONTROL", control.string());
  EdsCameraRef camera = connect();
  append(control, "shoot 2\n");
  pump();
  ASSERT_EQ(items_.size(), 2u);
  EXPECT_EQ(name_of(items_[0]), "IMG_0001.JPG");
  EXPECT_EQ(name_of(items_[1]), "IMG_0002.JPG");
  append(control, "dance\nshoot");  // no newline yet: not a command yet
  pump();
  EXPECT_EQ(items_.size(), 2u);
  append(control, "\n");
  pump(2);
  ASSERT_EQ(items_.size(), 3u);
  EXPECT_EQ(name_of(items_[2]), "IMG_0003.JPG");
  finish(camera);
}

TEST_F(SimCamTest, ShootWrittenBeforeInitialiseWaitsForASessionAndSaveTarget) {
  const auto control = dir_ / "control";
  append(control, "shoot\n");
  set("VANTREL_SIM_CONTROL", control.string());
  ASSERT_EQ(init(), eds::kOk);
  EdsCameraRef camera = first_camera();
  ASSERT_EQ(lib().EdsSetObjectEventHandler(camera, eds::kObjectEventAll, on_object, this),
            eds::kOk);
  pump();
  ASSERT_EQ(lib().EdsOpenSession(camera), eds::kOk);
  pump();
  EXPECT_TRUE(items_.empty());
  ASSERT_EQ(set_save_to(camera, eds::kSaveToHost), eds::kOk);
  pump();
  EXPECT_EQ(items_.size(), 1u);
  finish(camera);
}

TEST_F(SimCamTest, ShutdownDeliversTheStateEventAndTheCameraStaysGoneUntilPlugged) {
  const auto control = dir_ / "control";
  set("VANTREL_SIM_CONTROL", control.string());
  EdsCameraRef camera = connect();
  ASSERT_EQ(lib().EdsSetCameraAddedHandler(on_added, this), eds::kOk);
  append(control, "shutdown\n");
  pump();
  ASSERT_EQ(state_events_.size(), 1u);
  EXPECT_EQ(state_events_[0], eds::kStateEventShutdown);
  EXPECT_EQ(list_count(), 0u);
  EXPECT_EQ(lib().EdsOpenSession(camera), eds::kCommDisconnected);
  EXPECT_NE(shoot(camera), eds::kOk);
  EXPECT_EQ(lib().EdsCloseSession(camera), eds::kOk);
  EXPECT_EQ(lib().EdsRelease(camera), 0u);

  append(control, "plug\n");
  pump();
  EXPECT_EQ(cameras_added_, 1);
  EXPECT_EQ(list_count(), 1u);
  camera = first_camera();
  EXPECT_EQ(lib().EdsOpenSession(camera), eds::kOk);
  finish(camera);
}

TEST_F(SimCamTest, FifoKeepsWorkingAfterEachWriterLeaves) {
  const auto fifo = dir_ / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  set("VANTREL_SIM_CONTROL", fifo.string());
  EdsCameraRef camera = connect();
  for (int shot = 1; shot <= 2; ++shot) {
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0) << "the library should be reading the FIFO";
    ASSERT_EQ(write(fd, "shoot\n", 6), 6);
    close(fd);
    pump();
    EXPECT_EQ(items_.size(), static_cast<std::size_t>(shot));
  }
  finish(camera);
}

TEST_F(SimCamTest, RunLoopSourceDeliversAndIsRemovedAtTerminate) {
  FakeRunLoop& loop = fake_run_loop();
  EdsCameraRef camera = connect();
  const int id = loop.attached_id;
  ASSERT_NE(id, 0);
  EXPECT_EQ(loop.poll(), 0);
  const int signals = loop.signals;
  ASSERT_EQ(shoot(camera), eds::kOk);
  EXPECT_GT(loop.signals, signals);
  EXPECT_TRUE(items_.empty());
  EXPECT_EQ(loop.poll(), 1);
  EXPECT_EQ(items_.size(), 1u);
  EXPECT_EQ(loop.poll(), 0);
  finish(camera);
  EXPECT_EQ(loop.attached_id, 0);
  EXPECT_EQ(std::count(loop.removed.begin(), loop.removed.end(), id), 1);
}

TEST_F(SimCamTest, UnloadingWithoutTerminateDetachesFromTheRunLoop) {
  ASSERT_EQ(init(), eds::kOk);
  const int id = fake_run_loop().attached_id;
  ASSERT_NE(id, 0);
  lib_.reset();
  EXPECT_EQ(fake_run_loop().attached_id, 0);
  EXPECT_EQ(fake_run_loop().removed.back(), id);
}

}  // namespace
