#include "worker_message.h"

#include <array>
#include <string_view>
#include <utility>

namespace vantrel::link {

namespace {

bool startsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

bool contains(const std::string& text, const char* key) {
  return text.find(key) != std::string::npos;
}

std::string lowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string after(const std::string& line, const char* prefix) {
  return line.substr(std::char_traits<char>::length(prefix));
}

// Splits a trailing "|id=<digits>" off `payload` into the message's event id.
WorkerMessage withEventId(WorkerMessageKind kind, std::string payload) {
  WorkerMessage message{kind, std::move(payload), std::nullopt};
  const auto bar = message.payload.rfind("|id=");
  if (bar == std::string::npos) return message;
  const std::string digits = message.payload.substr(bar + 4);
  if (digits.empty() || digits.size() > 19 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return message;
  }
  message.eventId = std::stoull(digits);
  message.payload.erase(bar);
  return message;
}

}  // namespace

WorkerMessage parseWorkerLine(const std::string& line) {
  using K = WorkerMessageKind;
  if (startsWith(line, "LOG|") || startsWith(line, "CPP_WORKER|"))
    return {K::Ignored, {}, std::nullopt};
  if (line == "READY|OK") return {K::Ready, {}, std::nullopt};
  if (startsWith(line, "STATUS|")) return {K::Status, after(line, "STATUS|"), std::nullopt};
  if (startsWith(line, "CONNECTED|")) return {K::Connected, {}, std::nullopt};
  if (startsWith(line, "DISCONNECTED|")) {
    return {K::Disconnected, after(line, "DISCONNECTED|"), std::nullopt};
  }
  if (startsWith(line, "PUMP_ACTIVE_READY|")) return {K::PumpActive, {}, std::nullopt};
  if (startsWith(line, "PUMP_IDLE_READY|")) return {K::PumpIdle, {}, std::nullopt};
  if (startsWith(line, "WARN|CARD_MISSING|")) return {K::CardMissing, {}, std::nullopt};
  if (startsWith(line, "CAPTURE_EVENT|")) {
    return withEventId(K::CaptureEvent, after(line, "CAPTURE_EVENT|"));
  }
  if (startsWith(line, "DOWNLOADED|"))
    return withEventId(K::Downloaded, after(line, "DOWNLOADED|"));
  if (startsWith(line, "ERROR|")) return withEventId(K::Error, after(line, "ERROR|"));
  return {K::Ignored, {}, std::nullopt};
}

ClassifiedError classifyWorkerError(const std::string& message, CameraDriver driver) {
  const std::string low = lowered(message);
  if (constexpr std::string_view kLoadFailed = "dlopen failed: "; low.rfind(kLoadFailed, 0) == 0) {
    return {WorkerErrorClass::LibraryUnloadable, message.substr(kLoadFailed.size())};
  }
  if (contains(low, "download failed") || contains(low, "createfilestream") ||
      contains(low, "storage") || contains(low, "disk")) {
    return {WorkerErrorClass::Storage,
            "Storage write failed. Check laptop free space and camera memory card space."};
  }
  if (contains(low, "camera busy") || contains(low, "0x000000c0")) {
    if (driver == CameraDriver::Gphoto) {
      return {WorkerErrorClass::Busy,
              "Camera busy — the file manager or another program holds it. Eject the camera in "
              "the file manager or close the other program, or replug the camera. Retrying…"};
    }
    return {WorkerErrorClass::Busy,
            "Camera busy — close EOS Utility / Photos / Image Capture, or replug the camera. "
            "Retrying…"};
  }
  if (contains(low, "camera not detected")) {
    return {WorkerErrorClass::NotDetected,
            "Camera not detected. Check USB/camera power. Retrying..."};
  }
  return {WorkerErrorClass::Other, message};
}

std::string friendlyStatusForWorker(const std::string& text) {
  static const std::array<std::pair<const char*, const char*>, 6> kProgress = {{
      {"loading canon sdk", "Loading Canon camera SDK..."},
      {"waiting for camera usb", "Looking for camera over USB..."},
      {"connecting to camera", "Connecting to camera..."},
      {"opening camera session", "Opening camera session..."},
      {"setting save destination", "Setting camera save mode..."},
      {"checking camera memory card", "Checking camera memory card..."},
  }};
  const std::string low = lowered(text);
  for (const auto& [key, friendly] : kProgress) {
    if (contains(low, key)) return friendly;
  }
  if (contains(low, "connected") && !contains(low, "disconnected")) {
    return "Camera connected. Ready to start watching.";
  }
  return text;
}

}  // namespace vantrel::link
