// Finding the first camera in the SDK's camera list: timed passes, the strategies, the matrix,
// the handshake with full SDK reloads, and the optional USB and process diagnostics.
#include <array>
#include <thread>

#include "canon_cpp_worker.h"
#include "env_options.h"
#include "line_writer.h"
#include "shell_collect.h"

namespace {

// The Linux stand-ins for the USB listing, the USB device registry and the processes that may
// hold a camera (the desktop's gphoto2 volume monitor above all).
const char* const kUsbListingCommand =
    "(lsusb 2>/dev/null || cat /sys/bus/usb/devices/*/product 2>/dev/null) | "
    "grep -i -E 'Canon|EOS|Camera|PTP' | head -20";
const char* const kUsbRegistryCommand =
    "grep -H . /sys/bus/usb/devices/*/manufacturer /sys/bus/usb/devices/*/product "
    "/sys/bus/usb/devices/*/idVendor 2>/dev/null | grep -i -E 'Canon|EOS|PTP|Camera|04a9' | "
    "head -30";
const char* const kProcessCommand =
    "ps ax -o pid=,comm=,args= 2>/dev/null | "
    "grep -i -E 'gvfs-gphoto2|gvfsd-gphoto2|gphoto|shotwell|darktable|entangle|rapid-photo' | "
    "grep -v grep | head -20";

bool usb_diag_enabled() {
  return !env_bool("VANTREL_DISABLE_USB_DIAG", false) &&
         (env_bool("VANTREL_CPP_USB_DIAG", false) || env_bool("VANTREL_ENABLE_USB_DIAG", false));
}

bool process_diag_enabled() {
  return !env_bool("VANTREL_DISABLE_USB_DIAG", false) &&
         (env_bool("VANTREL_CPP_PROCESS_DIAG", false) ||
          env_bool("VANTREL_ENABLE_PROCESS_DIAG", false));
}

struct Pass {
  const char* label;
  int attempts;
  int delay_ms;
  int pump_ms;
  const char* pump_mode;  // empty keeps the worker's mode
};

void sleep_ms(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

void CanonCppWorker::log_usb_visibility(const std::string& reason) {
  if (!usb_diag_enabled()) return;
  out("USB_DIAG|reason=" + reason + "|" + shell_collect(kUsbListingCommand, 1600));
}

void CanonCppWorker::log_process_visibility(const std::string& reason) {
  if (!process_diag_enabled()) return;
  out("PROCESS_DIAG|reason=" + reason + "|" + shell_collect(kProcessCommand, 2200));
}

void CanonCppWorker::native_usb_ping(const std::string& reason) {
  if (!usb_diag_enabled()) return;
  out("HANDSHAKE_PING|reason=" + reason + "|action=system_profiler_usb_probe");
  out("USB_PING|reason=" + reason + "|" + shell_collect(kUsbListingCommand, 2200));
  out("IOREG_PING|reason=" + reason + "|" + shell_collect(kUsbRegistryCommand, 2600));
}

EdsError CanonCppWorker::get_first_camera_once(EdsCameraRef* out_camera, uint32_t& out_count) {
  if (out_camera != nullptr) *out_camera = nullptr;
  out_count = 0;
  EdsCameraListRef list = nullptr;
  EdsError result = sdk.EdsGetCameraList(&list);
  if (result == eds::kOk && list != nullptr) {
    result = sdk.EdsGetChildCount(list, &out_count);
    if (result == eds::kOk && out_count == 0) result = eds::kDeviceNotFound;
  }
  if (out_camera != nullptr && result == eds::kOk && list != nullptr) {
    EdsBaseRef first = nullptr;
    result = sdk.EdsGetChildAtIndex(list, 0, &first);
    out("LOG|[CPP_WORKER] EdsGetChildAtIndex=" + hex_err(result));
    if (result == eds::kOk) *out_camera = first;
  }
  if (list != nullptr) sdk.EdsRelease(list);
  return result;
}

EdsError CanonCppWorker::get_first_camera_attempts(const std::string& label,
                                                   EdsCameraRef& out_camera, int attempts,
                                                   int delay_ms, int pump_ms,
                                                   const std::string& pass_pump_mode) {
  out_camera = nullptr;
  const std::string saved_mode = pump_mode;
  if (!pass_pump_mode.empty()) pump_mode = pass_pump_mode;
  out("LOG|[CPP_WORKER] Camera discovery pass=" + label + " attempts=" + std::to_string(attempts) +
      " delay_ms=" + std::to_string(delay_ms) + " pump_ms=" + std::to_string(pump_ms) +
      " pump_mode=" + pump_mode);
  EdsError last = eds::kDeviceNotFound;
  for (int i = 1; i <= attempts; ++i) {
    uint32_t count = 0;
    last = get_first_camera_once(&out_camera, count);
    out("LOG|[CPP_WORKER] Camera discovery " + label + " attempt " + std::to_string(i) + "/" +
        std::to_string(attempts) + " err=" + hex_err(last) + " count=" + std::to_string(count) +
        " camera_added_seen=" + (camera_added_seen ? "1" : "0"));
    if (last == eds::kOk && out_camera != nullptr) {
      pump_mode = saved_mode;
      return eds::kOk;
    }
    if (pump_ms > 0) light_pump_for_ms(pump_ms);
    if (delay_ms > 0) sleep_ms(delay_ms);
  }
  pump_mode = saved_mode;
  return last;
}

EdsError CanonCppWorker::get_first_camera_with_detect_strategy(EdsCameraRef& out_camera) {
  out_camera = nullptr;
  if (detect_strategy == "list_only") {
    return get_first_camera_attempts("list-only", out_camera, 80, 500, 0, "");
  }
  if (detect_strategy == "delayed") {
    out("LOG|[CPP_WORKER] Delayed native C++ discovery: wait before first camera list.");
    sleep_ms(2500);
    return get_first_camera_attempts("delayed-list", out_camera, 80, 500, 0, "");
  }
  if (detect_strategy == "warm") {
    out("LOG|[CPP_WORKER] Warm native C++ discovery: CFRunLoop pre-pump before list.");
    light_pump_for_ms(2500);
    return get_first_camera_attempts("warm-cf", out_camera, 80, 250, 160, "cf");
  }
  if (detect_strategy == "cf_long") {
    out("LOG|[CPP_WORKER] Long CFRunLoop native C++ discovery pass.");
    light_pump_for_ms(5000);
    return get_first_camera_attempts("cf-long", out_camera, 100, 250, 250, "cf");
  }
  if (detect_strategy == "edsgetevent") {
    return get_first_camera_attempts("edsgetevent", out_camera, 80, 250, 160, "edsgetevent");
  }
  if (detect_strategy == "both") {
    return get_first_camera_attempts("both-pumps", out_camera, 80, 250, 160, "both");
  }
  if (detect_strategy == "handshake") return get_first_camera_handshake_ping(out_camera);
  if (detect_strategy == "matrix") {
    out("LOG|[CPP_WORKER] Detect matrix started. Every pass is native C++; Python is not used "
        "for EDSDK.");
    static constexpr std::array<Pass, 6> kMatrix = {{
        {"matrix-01-v21-cf-fast", 20, 250, 120, "cf"},
        {"matrix-02-delayed-list-only", 30, 500, 0, ""},
        {"matrix-03-long-cf-warm", 40, 250, 220, "cf"},
        {"matrix-04-edsgetevent", 30, 250, 160, "edsgetevent"},
        {"matrix-05-both-pumps", 30, 250, 160, "both"},
        {"matrix-06-long-list-only", 90, 500, 0, ""},
    }};
    EdsError last = eds::kDeviceNotFound;
    for (size_t i = 0; i < kMatrix.size(); ++i) {
      const Pass& pass = kMatrix[i];
      switch (i) {
        case 1:
          out("LOG|[CPP_WORKER] Detect matrix pass 02: delayed list-only polling.");
          sleep_ms(1800);
          break;
        case 2:
          out("LOG|[CPP_WORKER] Detect matrix pass 03: long CFRunLoop warmup then list polling.");
          light_pump_for_ms(3500);
          break;
        case 3:
          out("LOG|[CPP_WORKER] Detect matrix pass 04: EdsGetEvent-assisted polling.");
          break;
        case 4:
          out("LOG|[CPP_WORKER] Detect matrix pass 05: combined CFRunLoop + EdsGetEvent "
              "polling.");
          break;
        case 5:
          out("LOG|[CPP_WORKER] Detect matrix pass 06: long list-only polling, no event pump.");
          break;
        default:
          break;
      }
      last = get_first_camera_attempts(pass.label, out_camera, pass.attempts, pass.delay_ms,
                                       pass.pump_ms, pass.pump_mode);
      if (last == eds::kOk && out_camera != nullptr) return eds::kOk;
      if (i + 1 < kMatrix.size())
        log_usb_visibility(std::string("after ") + pass.label + " failed");
    }
    return last;
  }
  return get_first_camera_attempts("v21", out_camera, 30, 250, 120, "cf");
}

EdsError CanonCppWorker::get_first_camera_handshake_ping(EdsCameraRef& out_camera) {
  out_camera = nullptr;
  out("LOG|[CPP_WORKER] C++ handshake-ping detection started. No Python EDSDK fallback. No "
      "Python camera connect.");
  out("HANDSHAKE_PING|phase=start|note=No EdsSendCommand is possible until EdsGetCameraList "
      "returns a camera object.");
  log_process_visibility("handshake start");
  native_usb_ping("handshake start");

  EdsError last =
      get_first_camera_attempts("handshake-01-existing-sdk-cf", out_camera, 8, 300, 120, "cf");
  if (last == eds::kOk && out_camera != nullptr) return eds::kOk;
  log_usb_visibility("after handshake-01-existing-sdk-cf failed");

  struct Cycle {
    Pass pass;
    bool camera_added_handler;
  };
  static constexpr std::array<Cycle, 5> kCycles = {{
      {{"handshake-02-cold-reinit-cf", 14, 350, 140, "cf"}, true},
      {{"handshake-03-cold-reinit-list-only-no-added", 16, 450, 0, ""}, false},
      {{"handshake-04-cold-reinit-edsgetevent", 14, 350, 160, "edsgetevent"}, true},
      {{"handshake-05-cold-reinit-both", 14, 350, 160, "both"}, true},
      {{"handshake-06-final-long-cf", 28, 400, 220, "cf"}, true},
  }};
  int n = 1;
  for (const Cycle& cycle : kCycles) {
    const std::string label = cycle.pass.label;
    hard_sdk_reboot_for_detect("cycle-" + std::to_string(n) + ":" + label);
    log_process_visibility("before " + label);
    if (!ensure_sdk_ready_for_detect(label, cycle.camera_added_handler)) {
      last = eds::kDeviceNotFound;
      ++n;
      continue;
    }
    const std::string pass_mode = cycle.pass.pump_mode;
    if (!pass_mode.empty()) {
      const std::string saved_mode = pump_mode;
      pump_mode = pass_mode;
      light_pump_for_ms(900);
      pump_mode = saved_mode;
    } else {
      sleep_ms(650);
    }
    last = get_first_camera_attempts(label, out_camera, cycle.pass.attempts, cycle.pass.delay_ms,
                                     cycle.pass.pump_ms, pass_mode);
    if (last == eds::kOk && out_camera != nullptr) {
      out("HANDSHAKE_PING|phase=success|label=" + label +
          "|camera_added_seen=" + (camera_added_seen ? "1" : "0"));
      return eds::kOk;
    }
    out("HANDSHAKE_PING|phase=failed|label=" + label + "|last=" + hex_err(last) +
        "|camera_added_seen=" + (camera_added_seen ? "1" : "0"));
    log_usb_visibility("after " + label + " failed");
    ++n;
  }
  out("HANDSHAKE_PING|phase=exhausted|last=" + hex_err(last) + "|usb_seen_check_follows=1");
  native_usb_ping("handshake exhausted");
  return last;
}
