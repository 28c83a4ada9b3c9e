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

}  // namespace

WorkerMessage parseWorkerLine(const std::string& line) {
  using K = WorkerMessageKind;
  if (startsWith(line, "LOG|") || startsWith(line, "CPP_WORKER|")) return {K::Ignored, {}};
  if (line == "READY|OK") return {K::Ready, {}};
  if (startsWith(line, "STATUS|")) return {K::Status, after(line, "STATUS|")};
  if (startsWith(line, "CONNECTED|")) return {K::Connected, {}};
  if (startsWith(line, "DISCONNECTED|")) return {K::Disconnected, after(line, "DISCONNECTED|")};
  if (startsWith(line, "PUMP_ACTIVE_READY|")) return {K::PumpActive, {}};
  if (startsWith(line, "PUMP_IDLE_READY|")) return {K::PumpIdle, {}};
  if (startsWith(line, "WARN|CARD_MISSING|")) return {K::CardMissing, {}};
  if (startsWith(line, "CAPTURE_EVENT|")) return {K::CaptureEvent, {}};
  if (startsWith(line, "DOWNLOADED|")) return {K::Downloaded, after(line, "DOWNLOADED|")};
  if (startsWith(line, "ERROR|")) return {K::Error, after(line, "ERROR|")};
  return {K::Ignored, {}};
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
