// Line assembly, message parsing, error classes and the camera pill.
#include <gtest/gtest.h>

#include "camera_state.h"
#include "worker_line_assembler.h"
#include "worker_message.h"

using namespace vantrel::link;

namespace {

TEST(WorkerLineAssembler, JoinsChunksAndSplitsLines) {
  WorkerLineAssembler assembler;
  EXPECT_TRUE(assembler.feed("READY|").empty());
  EXPECT_EQ(assembler.feed("OK\n"), std::vector<std::string>{"READY|OK"});
  EXPECT_EQ(assembler.feed("A|1\nB|2\r\nC|3\n"), (std::vector<std::string>{"A|1", "B|2", "C|3"}));
  EXPECT_TRUE(assembler.feed("\n  \n\t\n").empty());
  EXPECT_EQ(assembler.feed("  STATUS|x  \nrest"), std::vector<std::string>{"STATUS|x"});
  EXPECT_EQ(assembler.pending(), "rest");
}

TEST(WorkerMessage, PrefixesDecideInOrder) {
  EXPECT_EQ(parseWorkerLine("LOG|[CPP_WORKER] CONNECTED|OK").kind, WorkerMessageKind::Ignored);
  EXPECT_EQ(parseWorkerLine("READY|OK").kind, WorkerMessageKind::Ready);
  EXPECT_EQ(parseWorkerLine("READY|later").kind, WorkerMessageKind::Ignored);
  EXPECT_EQ(parseWorkerLine("CONNECTED|OK").kind, WorkerMessageKind::Connected);
  EXPECT_EQ(parseWorkerLine("DISCONNECTED|OK").kind, WorkerMessageKind::Disconnected);
  EXPECT_EQ(parseWorkerLine("WARN|CAPTURE_IGNORED_NOT_WATCHING|x").kind,
            WorkerMessageKind::Ignored);
  const auto downloaded = parseWorkerLine("DOWNLOADED|/photos/class|A/IMG_0001.JPG");
  EXPECT_EQ(downloaded.kind, WorkerMessageKind::Downloaded);
  EXPECT_EQ(downloaded.payload, "/photos/class|A/IMG_0001.JPG");  // a bar in a path survives
}

TEST(WorkerMessage, ErrorClasses) {
  EXPECT_EQ(classifyWorkerError("EdsCreateFileStream failed: 0x00000020").errorClass,
            WorkerErrorClass::Storage);
  EXPECT_EQ(classifyWorkerError("Something about the DISK").errorClass, WorkerErrorClass::Storage);
  EXPECT_EQ(classifyWorkerError("Camera busy (EdsOpenSession 0x000000C0). Close").errorClass,
            WorkerErrorClass::Busy);
  EXPECT_EQ(classifyWorkerError("Camera not detected by native C++ EDSDK worker.").errorClass,
            WorkerErrorClass::NotDetected);
  const auto other = classifyWorkerError("EdsSetPropertyData(SaveTo) failed: 0x00000060");
  EXPECT_EQ(other.errorClass, WorkerErrorClass::Other);
  EXPECT_EQ(other.shownText, "EdsSetPropertyData(SaveTo) failed: 0x00000060");
}

TEST(WorkerMessage, FriendlyProgressTexts) {
  EXPECT_EQ(friendlyStatusForWorker("Loading Canon SDK..."), "Loading Canon camera SDK...");
  EXPECT_EQ(friendlyStatusForWorker("Connected (card)"),
            "Camera connected. Ready to start watching.");
  EXPECT_EQ(friendlyStatusForWorker("Disconnected"), "Disconnected");
  EXPECT_EQ(friendlyStatusForWorker("Downloaded: IMG_0001.JPG"), "Downloaded: IMG_0001.JPG");
}

TEST(CameraPill, FollowsTheStateTable) {
  CameraState s;
  EXPECT_EQ(cameraPill(s, false).text, "No folder");
  EXPECT_EQ(cameraPill(s, true).text, "No camera");
  s.autoConnectSuppressed = true;
  EXPECT_EQ(cameraPill(s, true).tooltip(), "Camera: Unplug and replug to reconnect");
  s.autoConnect = false;
  EXPECT_EQ(cameraPill(s, true).text, "Auto off");
  s.cameraError = "boom";
  EXPECT_EQ(cameraPill(s, true).text, "Error");
  s.connectRequested = true;
  EXPECT_EQ(cameraPill(s, true).text, "Connecting…");
  s.cameraError.clear();
  s.autoInitiatedConnect = true;
  EXPECT_EQ(cameraPill(s, true).text, "Searching…");
  s.cameraConnectDetail = "Loading Canon camera SDK...";
  EXPECT_EQ(cameraPill(s, true).tooltip(), "Camera: Loading Canon camera SDK...");
  s.cameraConnected = true;
  EXPECT_EQ(cameraPill(s, true).tooltip(), "Camera: Connected");
  EXPECT_EQ(selectedSaveModeLower(7), "both");
  EXPECT_EQ(saveModeLabel(2), "Card");
}

}  // namespace

namespace vantrel::link {
namespace {

TEST(WorkerEventIds, DownloadAndErrorLinesCarryTheAnnouncingEventsIdAndOldLinesReadAsBefore) {
  const auto announced = parseWorkerLine("CAPTURE_EVENT|event=0x00000208|id=7");
  EXPECT_EQ(announced.kind, WorkerMessageKind::CaptureEvent);
  EXPECT_EQ(announced.eventId, 7u);
  const auto downloaded = parseWorkerLine("DOWNLOADED|/photos/a|b/IMG_0001.JPG|id=12");
  EXPECT_EQ(downloaded.payload, "/photos/a|b/IMG_0001.JPG");
  EXPECT_EQ(downloaded.eventId, 12u);
  const auto old = parseWorkerLine("DOWNLOADED|/photos/IMG_0001.JPG");
  EXPECT_EQ(old.payload, "/photos/IMG_0001.JPG");
  EXPECT_EQ(old.eventId, std::nullopt);
  // Only digits make an id: a folder named like one stays part of the path.
  EXPECT_EQ(parseWorkerLine("DOWNLOADED|/p/x|id=3a/IMG.JPG").payload, "/p/x|id=3a/IMG.JPG");
  const auto failed =
      parseWorkerLine("ERROR|Camera download failed: IMG_1.JPG err=0x00000002|id=4");
  EXPECT_EQ(failed.payload, "Camera download failed: IMG_1.JPG err=0x00000002");
  EXPECT_EQ(failed.eventId, 4u);
}

}  // namespace
}  // namespace vantrel::link
