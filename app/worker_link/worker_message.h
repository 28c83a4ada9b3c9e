// What one line from the worker means to the application, and the texts it shows for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "camera_driver.h"

namespace vantrel::link {

enum class WorkerMessageKind {
  Ignored,       // LOG|, CPP_WORKER|, unknown lines and the acknowledgements we do not use
  Ready,         // READY|OK
  Status,        // STATUS|text
  Connected,     // CONNECTED|
  Disconnected,  // DISCONNECTED|
  PumpActive,    // PUMP_ACTIVE_READY|
  PumpIdle,      // PUMP_IDLE_READY|
  CardMissing,   // WARN|CARD_MISSING|
  CaptureEvent,  // CAPTURE_EVENT|
  Downloaded,    // DOWNLOADED|path[|id=N]
  Error,         // ERROR|text[|id=N]
};

struct WorkerMessage {
  WorkerMessageKind kind = WorkerMessageKind::Ignored;
  std::string payload;  // the status text, the downloaded path or the error text
  // The id of the CAPTURE_EVENT whose download a DOWNLOADED or ERROR line reports; a worker
  // before this field gives none, and the line reads as it always did.
  std::optional<std::uint64_t> eventId;
};

// Tests the prefixes in the order that decides (first match wins).
WorkerMessage parseWorkerLine(const std::string& line);

// LibraryUnloadable: the camera library is there but does not load; shownText is the loader's
// reason.
enum class WorkerErrorClass { Storage, Busy, NotDetected, LibraryUnloadable, Other };

struct ClassifiedError {
  WorkerErrorClass errorClass;
  std::string shownText;  // for NotDetected: the text of a manual connect
};

// The busy text names what holds the camera under `driver`.
ClassifiedError classifyWorkerError(const std::string& message,
                                    CameraDriver driver = CameraDriver::MakersLibrary);

// The worker's progress text in the operator's words.
std::string friendlyStatusForWorker(const std::string& text);

}  // namespace vantrel::link
