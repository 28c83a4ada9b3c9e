// The application's side of the worker's output: bytes in any pieces → WorkerLineAssembler →
// parseWorkerLine → the camera state and the pill it adds up to.
#include <set>

#include "camera_state.h"
#include "fuzz_support.h"
#include "worker_line_assembler.h"
#include "worker_message.h"

using namespace vantrel::link;

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The part of the application's line handling that touches only the camera state.
void apply(CameraState& state, const WorkerMessage& message) {
  switch (message.kind) {
    case WorkerMessageKind::Ready:
      state.workerReady = true;
      state.pendingConnect = false;
      break;
    case WorkerMessageKind::Status:
      if (!state.cameraConnected)
        state.cameraConnectDetail = friendlyStatusForWorker(message.payload);
      break;
    case WorkerMessageKind::Connected:
      state.cameraConnected = true;
      state.cameraError.clear();
      state.cameraConnectDetail.clear();
      state.autoInitiatedConnect = false;
      state.pendingConnect = false;
      state.watching = false;
      break;
    case WorkerMessageKind::Disconnected:
      if (state.connectionWanted()) break;
      state.cameraConnected = false;
      state.cameraConnectDetail.clear();
      break;
    case WorkerMessageKind::PumpActive:
    case WorkerMessageKind::PumpIdle:
      state.watching = message.kind == WorkerMessageKind::PumpActive;
      break;
    case WorkerMessageKind::Error: {
      const ClassifiedError classified = classifyWorkerError(message.payload);
      if (classified.errorClass == WorkerErrorClass::Other) {
        FUZZ_CHECK(classified.shownText == message.payload);
      } else {
        FUZZ_CHECK(!classified.shownText.empty());
      }
      if (classified.errorClass == WorkerErrorClass::NotDetected && state.autoInitiatedConnect) {
        state.cameraError.clear();
        break;
      }
      state.cameraError = classified.shownText;
      state.cameraConnectDetail.clear();
      break;
    }
    default:
      break;
  }
}

void checkPill(const CameraState& state, bool hasTargetFolder) {
  static const std::set<std::string> kTexts = {"Connected",    "Connecting…", "Searching…",
                                               "Error",        "No folder",   "Auto off",
                                               "Disconnected", "No camera"};
  const CameraPill pill = cameraPill(state, hasTargetFolder);
  FUZZ_CHECK(kTexts.count(pill.text) == 1);
  FUZZ_CHECK((pill.text == "Connected") == state.cameraConnected);
  FUZZ_CHECK((pill.color == PillColor::Green) == state.cameraConnected);
  if (pill.color == PillColor::Red) FUZZ_CHECK(pill.detail == state.cameraError);
  FUZZ_CHECK(pill.tooltip() == "Camera: " + (pill.detail.empty() ? pill.text : pill.detail));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(fuzz::asText(data, size));

  // The same lines and the same rest whether the output arrives in one read or in many.
  WorkerLineAssembler whole;
  const std::vector<std::string> lines = whole.feed(text);
  WorkerLineAssembler pieces;
  std::vector<std::string> pieceLines;
  for (const std::string_view piece : fuzz::piecesOf(text)) {
    for (std::string& line : pieces.feed(std::string(piece))) pieceLines.push_back(std::move(line));
  }
  FUZZ_CHECK(pieceLines == lines);
  FUZZ_CHECK(pieces.pending() == whole.pending());
  const size_t lastNewline = text.rfind('\n');
  FUZZ_CHECK(whole.pending() ==
             text.substr(lastNewline == std::string::npos ? 0 : lastNewline + 1));

  // Each complete line, trimmed, once; nothing else.
  std::vector<std::string> expected;
  if (lastNewline != std::string::npos) {
    for (size_t start = 0; start <= lastNewline;) {
      const size_t end = text.find('\n', start);
      std::string line = trimmed(text.substr(start, end - start));
      if (!line.empty()) expected.push_back(std::move(line));
      start = end + 1;
    }
  }
  FUZZ_CHECK(lines == expected);

  // The state flags the controller does not derive from lines start from the input's first byte.
  const uint8_t flags = size > 0 ? data[0] : 0;
  CameraState state;
  state.connectRequested = flags & 1;
  state.manualDisconnect = flags & 2;
  state.autoInitiatedConnect = flags & 4;
  state.autoConnect = flags & 8;
  state.autoConnectSuppressed = flags & 16;
  state.pendingConnect = flags & 32;
  const bool hasTargetFolder = flags & 64;
  checkPill(state, hasTargetFolder);

  for (const std::string& line : lines) {
    FUZZ_CHECK(!line.empty() && !isBlank(line.front()) && !isBlank(line.back()));
    FUZZ_CHECK(line.find('\n') == std::string::npos);
    const WorkerMessage message = parseWorkerLine(line);
    // A final "|id=<digits>" is the announcing event's id, not part of the payload.
    const std::string body = message.eventId ? line.substr(0, line.rfind("|id=")) : line;
    if (message.eventId) {
      FUZZ_CHECK(message.kind == WorkerMessageKind::CaptureEvent ||
                 message.kind == WorkerMessageKind::Downloaded ||
                 message.kind == WorkerMessageKind::Error);
      const std::string digits = line.substr(body.size() + 4);
      FUZZ_CHECK(!digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos);
      FUZZ_CHECK(std::stoull(digits) == *message.eventId);
    }
    // The payload is the end of the line, after the kind's own prefix.
    FUZZ_CHECK(message.payload.size() < body.size());
    FUZZ_CHECK(body.ends_with(message.payload));
    switch (message.kind) {
      case WorkerMessageKind::Ignored:
      case WorkerMessageKind::Ready:
      case WorkerMessageKind::Connected:
      case WorkerMessageKind::PumpActive:
      case WorkerMessageKind::PumpIdle:
      case WorkerMessageKind::CardMissing:
        FUZZ_CHECK(message.payload.empty());
        break;
      case WorkerMessageKind::CaptureEvent:
        FUZZ_CHECK(body == "CAPTURE_EVENT|" + message.payload);
        break;
      case WorkerMessageKind::Status:
        FUZZ_CHECK(line == "STATUS|" + message.payload);
        break;
      case WorkerMessageKind::Disconnected:
        FUZZ_CHECK(line == "DISCONNECTED|" + message.payload);
        break;
      case WorkerMessageKind::Downloaded:
        // The whole path, bars and all.
        FUZZ_CHECK(body == "DOWNLOADED|" + message.payload);
        break;
      case WorkerMessageKind::Error:
        FUZZ_CHECK(body == "ERROR|" + message.payload);
        break;
    }
    if (line.starts_with("LOG|")) FUZZ_CHECK(message.kind == WorkerMessageKind::Ignored);

    const std::string friendly = friendlyStatusForWorker(message.payload);
    FUZZ_CHECK(message.payload.empty() == friendly.empty());

    apply(state, message);
    checkPill(state, hasTargetFolder);
  }
  return 0;
}
