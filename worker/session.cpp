// Connecting to the camera: SDK start-up, discovery, handlers, the session, the card check and the
// save target; and the download folder.
#include <thread>

#include "canon_cpp_worker.h"
#include "env_options.h"
#include "line_writer.h"

namespace {

constexpr int kOpenSessionAttempts = 10;

// `connect` and `set_save_to` read "computer" differently; both keep their own table.
std::string normalize_connect_mode(const std::string& mode) {
  if (mode == "disk" || mode == "host" || mode == "computer") return "disk";
  if (mode == "card" || mode == "camera") return "card";
  return "both";
}

std::string normalize_save_to_mode(const std::string& mode) {
  if (mode == "disk" || mode == "host") return "disk";
  if (mode == "card" || mode == "camera") return "card";
  return "both";
}

int32_t save_to_value(const std::string& normalized_mode) {
  if (normalized_mode == "card") return eds::kSaveToCamera;
  if (normalized_mode == "disk") return eds::kSaveToHost;
  return eds::kSaveToBoth;
}

}  // namespace

bool CanonCppWorker::connect(const std::string& mode) {
  save_destination = normalize_connect_mode(lower_ascii(mode.empty() ? save_destination : mode));
  card_warning_shown = false;
  out("STATUS|Loading Canon SDK...");

  WatchdogToken done = begin_sdk_startup_watchdog("connect");
  if (!load_library_and_symbols()) {
    done->store(true);
    return false;
  }
  const bool initialized = initialize_sdk();
  done->store(true);
  if (!initialized) return false;

  if (detect_strategy == "list_only" || sdk.EdsSetCameraAddedHandler == nullptr) {
    out("LOG|[CPP_WORKER] CameraAdded handler disabled for detect_strategy=" + detect_strategy);
  } else {
    const EdsError err = sdk.EdsSetCameraAddedHandler(&CanonCppWorker::camera_added_callback, this);
    out("LOG|[CPP_WORKER] EdsSetCameraAddedHandler=" + hex_err(err));
  }

  out("STATUS|Waiting for camera USB connection...");
  out("STATUS|Connecting to camera......");
  out("LOG|[CPP_WORKER] Native detect strategy=" + detect_strategy);
  log_usb_visibility("before discovery");

  if (camera != nullptr) {
    // A second connect starts from a fresh camera reference rather than leaking the old one.
    connected = false;
    pump_enabled.store(false);
    capture_enabled.store(false);
    if (session_open) sdk.EdsCloseSession(camera);
    session_open = false;
    sdk.EdsRelease(camera);
    camera = nullptr;
  }
  EdsCameraRef found = nullptr;
  const EdsError discovery = get_first_camera_with_detect_strategy(found);
  camera = found;
  if (discovery != eds::kOk || camera == nullptr) {
    log_usb_visibility("after discovery failed");
    out("LOG|[CPP_WORKER] Discovery failed before session open. Performing safe "
        "failed-enumeration SDK reset.");
    failed_enumeration_sdk_reset();
    out("ERROR|Camera not detected by native C++ EDSDK worker. LastErr=" + hex_err(discovery) +
        " camera_added_seen=" + (camera_added_seen ? "1" : "0") +
        " detect_strategy=" + detect_strategy);
    return false;
  }

  if (!register_camera_handlers()) return false;

  out("STATUS|Opening camera session...");
  EdsError open_err = eds::kOk;
  for (int attempt = 1; attempt <= kOpenSessionAttempts; ++attempt) {
    open_err = sdk.EdsOpenSession(camera);
    out("LOG|[CPP_WORKER] EdsOpenSession attempt " + std::to_string(attempt) + "=" +
        hex_err(open_err));
    if (open_err == eds::kOk) {
      session_open = true;
      break;
    }
    const bool busy = open_err == eds::kDeviceBusy;
    light_pump_for_ms(busy ? 700 : 350);
    std::this_thread::sleep_for(std::chrono::milliseconds(busy ? 900 : 250));
  }
  if (!session_open) {
    if (open_err == eds::kDeviceBusy) {
      out("ERROR|Camera busy (EdsOpenSession 0x000000C0). Close EOS Utility, Photos, or Image "
          "Capture if open — or unplug and replug the camera.");
    } else {
      out("ERROR|EdsOpenSession failed: " + hex_err(open_err));
    }
    return false;
  }

  if (save_mode_needs_card(save_destination)) {
    out("STATUS|Checking camera memory card...");
    warn_once_if_card_missing_for_connect();
  }

  out("STATUS|Setting save destination...");
  if (!set_save_to(save_destination)) return false;

  connected = true;
  capture_enabled.store(false);
  pump_enabled.store(true);
  pump_interval_ms = 250;
  last_keepalive = WorkerClock::now();
  last_download = last_keepalive;

  out("LOG|[CPP_WORKER] Camera connected. session_open=1 save_destination=" + save_destination);
  out("STATUS|Connected (" + save_destination + ")");
  out("CONNECTED|OK");
  return true;
}

bool CanonCppWorker::set_save_to(const std::string& mode) {
  if (camera == nullptr || sdk.EdsSetPropertyData == nullptr) {
    out("ERROR|Cannot set save destination because camera is not connected.");
    return false;
  }
  const std::string normalized =
      normalize_save_to_mode(lower_ascii(mode.empty() ? save_destination : mode));
  const int32_t value = save_to_value(normalized);

  auto announce_host_capacity = [&]() {
    if (normalized == "card" || sdk.EdsSetCapacity == nullptr) return true;
    const EdsCapacity capacity{0x7FFFFFFF, 0x1000, 1};
    const EdsError err = sdk.EdsSetCapacity(camera, capacity);
    out("LOG|[CPP_WORKER] EdsSetCapacity(host capacity for " + normalized + ")=" + hex_err(err));
    if (err != eds::kOk) {
      out("ERROR|EdsSetCapacity failed: " + hex_err(err));
      return false;
    }
    return true;
  };

  if (!announce_host_capacity()) return false;
  const EdsError err = sdk.EdsSetPropertyData(camera, eds::kPropSaveTo, 0, sizeof value, &value);
  out("LOG|[CPP_WORKER] EdsSetPropertyData(SaveTo=" + normalized + ")=" + hex_err(err));
  if (err != eds::kOk) {
    out("ERROR|EdsSetPropertyData(SaveTo) failed: " + hex_err(err));
    return false;
  }
  if (!announce_host_capacity()) return false;
  save_destination = normalized;
  out("SAVE_DEST|" + save_destination);
  return true;
}

void CanonCppWorker::set_download_dir(const std::string& path) {
  if (path.empty()) return;
  download_dir = path;
  out("LOG|[CPP_WORKER] download_dir updated to: " + path);
  out("DOWNLOAD_DIR|" + path);
}

bool CanonCppWorker::save_mode_needs_card(const std::string& mode) {
  const std::string m = lower_ascii(mode);
  return m == "card" || m == "camera" || m == "both" || m == "disk+card" || m == "card+disk";
}

void CanonCppWorker::warn_once_if_card_missing_for_connect() {
  if (card_warning_shown || !save_mode_needs_card(save_destination)) return;
  if (camera_has_storage_card()) {
    out("LOG|[CPP_WORKER] card_check card_present=1");
    return;
  }
  card_warning_shown = true;
  out("WARN|CARD_MISSING|Camera card is not detected. Insert a memory card when using Card or "
      "Both mode.");
}

bool CanonCppWorker::camera_has_storage_card() {
  if (camera == nullptr || sdk.EdsGetChildCount == nullptr) {
    out("LOG|[CPP_WORKER] card_check skipped: camera or EdsGetChildCount unavailable");
    return false;
  }
  uint32_t volumes = 0;
  const EdsError err = sdk.EdsGetChildCount(camera, &volumes);
  out("LOG|[CPP_WORKER] card_check EdsGetChildCount(camera)=" + hex_err(err) +
      " volume_count=" + std::to_string(volumes));
  return err == eds::kOk && volumes != 0;
}

bool CanonCppWorker::register_camera_handlers() {
  if (camera == nullptr) return false;
  EdsError err = sdk.EdsSetObjectEventHandler(camera, eds::kObjectEventAll,
                                              &CanonCppWorker::object_callback, this);
  out("LOG|[CPP_WORKER] EdsSetObjectEventHandler=" + hex_err(err));
  if (err != eds::kOk) {
    out("ERROR|EdsSetObjectEventHandler failed: " + hex_err(err));
    return false;
  }
  err = sdk.EdsSetPropertyEventHandler(camera, eds::kPropertyEventAll,
                                       &CanonCppWorker::property_callback, this);
  out("LOG|[CPP_WORKER] EdsSetPropertyEventHandler=" + hex_err(err));
  if (err != eds::kOk) {
    out("ERROR|EdsSetPropertyEventHandler failed: " + hex_err(err));
    return false;
  }
  if (register_state_handler && sdk.EdsSetCameraStateEventHandler != nullptr) {
    err = sdk.EdsSetCameraStateEventHandler(camera, eds::kStateEventAll,
                                            &CanonCppWorker::state_callback, this);
    out("LOG|[CPP_WORKER] EdsSetCameraStateEventHandler=" + hex_err(err));
  } else {
    out("LOG|[CPP_WORKER] State handler disabled by default for macOS stability.");
  }
  out("LOG|[CPP_WORKER] Object and property callbacks registered.");
  return true;
}
