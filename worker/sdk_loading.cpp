// Loading the vendor library, the start-up watchdog and the three resets.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "canon_cpp_worker.h"
#include "env_options.h"
#include "line_writer.h"
#include "sdk_symbol.h"
#include "sdk_termination.h"

namespace {

constexpr auto kRebootSettle = std::chrono::milliseconds(650);

template <typename Fn>
bool bind_entry_point(void* library, const char* name, Fn& slot, bool optional) {
  void* symbol = bind_sdk_symbol(library, name);
  if (symbol == nullptr) {
    out(optional ? std::string("LOG|[CPP_WORKER] Optional EDSDK symbol unavailable: ") + name
                 : std::string("ERROR|Missing EDSDK symbol: ") + name);
    return false;
  }
  slot = reinterpret_cast<Fn>(symbol);
  return true;
}

}  // namespace

bool CanonCppWorker::bind_entry_points() {
#define VANTREL_BIND(name) bind_entry_point(sdk_library, #name, sdk.name, false)
#define VANTREL_BIND_OPTIONAL(name) (bind_entry_point(sdk_library, #name, sdk.name, true), true)
  // Entry points with the optional wording never fail their group: every use checks the slot.
  const bool group_a = VANTREL_BIND(EdsInitializeSDK) && VANTREL_BIND_OPTIONAL(EdsTerminateSDK) &&
                       VANTREL_BIND(EdsGetEvent) && VANTREL_BIND(EdsGetCameraList) &&
                       VANTREL_BIND(EdsGetChildCount) && VANTREL_BIND(EdsGetChildAtIndex) &&
                       VANTREL_BIND(EdsOpenSession) && VANTREL_BIND(EdsCloseSession) &&
                       VANTREL_BIND(EdsRelease) && VANTREL_BIND(EdsSendCommand) &&
                       VANTREL_BIND(EdsSetPropertyData) && VANTREL_BIND(EdsSetCapacity);
  VANTREL_BIND_OPTIONAL(EdsSetCameraAddedHandler);
  const bool group_b =
      group_a && VANTREL_BIND(EdsSetObjectEventHandler) && VANTREL_BIND(EdsSetPropertyEventHandler);
  VANTREL_BIND_OPTIONAL(EdsSetCameraStateEventHandler);
  const bool group_c = group_b && VANTREL_BIND(EdsGetDirectoryItemInfo) &&
                       VANTREL_BIND(EdsCreateFileStream) && VANTREL_BIND(EdsDownload) &&
                       VANTREL_BIND(EdsDownloadComplete) &&
                       VANTREL_BIND_OPTIONAL(EdsDownloadCancel);
#undef VANTREL_BIND
#undef VANTREL_BIND_OPTIONAL
  entry_points_bound = group_c;
  return group_c;
}

void CanonCppWorker::clear_entry_points() {
  sdk = EdsFunctionTable{};
  entry_points_bound = false;
}

bool CanonCppWorker::load_library_and_symbols() {
  if (sdk_library != nullptr) {
    out("LOG|[CPP_WORKER] SDK_CHECKPOINT already-loaded lib handle exists");
    // A library whose binding failed earlier is bound again rather than used half bound.
    return entry_points_bound || bind_entry_points();
  }
  out("LOG|[CPP_WORKER] Loading EDSDK from: " + sdk_path);
  out("LOG|[CPP_WORKER] SDK_CHECKPOINT 1 before dlopen");
  out("LOG|[CPP_WORKER] SDK_CHECKPOINT 2 calling dlopen");
  sdk_library = dlopen(sdk_path.c_str(), RTLD_NOW | RTLD_GLOBAL);
  out("LOG|[CPP_WORKER] SDK_CHECKPOINT 3 dlopen returned");
  if (sdk_library == nullptr) {
    out(std::string("ERROR|dlopen failed: ") + loader_error_or_unknown());
    return false;
  }
  if (!bind_entry_points()) return false;
  out("LOG|[CPP_WORKER] SDK_CHECKPOINT 3b symbols loaded");
  out("LOG|[CPP_WORKER] EDSDK loaded. pump_mode=" + pump_mode);
  return true;
}

bool CanonCppWorker::initialize_sdk() {
  if (sdk_initialized) {
    out("LOG|[CPP_WORKER] SDK_CHECKPOINT already-initialized SDK");
    return true;
  }
  out("LOG|[CPP_WORKER] SDK_CHECKPOINT 4 before EdsInitializeSDK");
  const EdsError err =
      sdk.EdsInitializeSDK != nullptr ? sdk.EdsInitializeSDK() : eds::kInternalError;
  out("LOG|[CPP_WORKER] SDK_CHECKPOINT 5 after EdsInitializeSDK err=" + hex_err(err));
  out("LOG|[CPP_WORKER] EdsInitializeSDK=" + hex_err(err));
  if (err != eds::kOk) {
    out("ERROR|EdsInitializeSDK failed: " + hex_err(err));
    return false;
  }
  sdk_initialized = true;
  return true;
}

static int sdk_startup_timeout_seconds() {
  const int seconds = std::atoi(env_or("VANTREL_CPP_SDK_STARTUP_TIMEOUT", "12").c_str());
  return seconds < 5 ? 4 : seconds;
}

WatchdogToken CanonCppWorker::begin_sdk_startup_watchdog(const std::string& label) {
  const int seconds = sdk_startup_timeout_seconds();
  auto token = std::make_shared<std::atomic<bool>>(false);
  out("LOG|[CPP_WORKER] SDK watchdog armed label=" + label + " timeout=" + std::to_string(seconds) +
      "s");
  std::thread([token, label, seconds] {
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    if (token->load()) return;
    out("ERROR|Canon SDK startup timed out while " + label +
        ". Worker will exit so the app can restart cleanly.");
    out("LOG|[CPP_WORKER] FATAL SDK startup watchdog timeout label=" + label);
    _exit(92);  // the SDK hangs inside our main thread: no cleanup is possible
  }).detach();
  return token;
}

EdsError CanonCppWorker::camera_added_callback(void* context) {
  if (context != nullptr) static_cast<CanonCppWorker*>(context)->camera_added_seen = true;
  out("LOG|[CPP_WORKER] CameraAdded event received.");
  return eds::kOk;
}

void CanonCppWorker::failed_enumeration_sdk_reset() {
  if (!sdk_initialized || sdk.EdsTerminateSDK == nullptr) return;
  if (terminate_on_failed_enum_mac) {
    const EdsError err = sdk.EdsTerminateSDK();
    out("LOG|[CPP_WORKER] Failed-enumeration EdsTerminateSDK=" + hex_err(err));
    sdk_initialized = false;
  } else {
    out("LOG|[CPP_WORKER] Failed-enumeration SDK reset skipped by "
        "VANTREL_CPP_TERMINATE_ON_FAILED_ENUM_MAC=0.");
  }
}

void CanonCppWorker::full_sdk_reset(bool announce) {
  capture_enabled.store(false);
  pump_enabled.store(false);
  connected = false;

  if (camera != nullptr) {
    if (sdk.EdsSetObjectEventHandler != nullptr) {
      sdk.EdsSetObjectEventHandler(camera, eds::kObjectEventAll, nullptr, nullptr);
    }
    if (sdk.EdsSetPropertyEventHandler != nullptr) {
      sdk.EdsSetPropertyEventHandler(camera, eds::kPropertyEventAll, nullptr, nullptr);
    }
    if (sdk.EdsSetCameraStateEventHandler != nullptr) {
      sdk.EdsSetCameraStateEventHandler(camera, eds::kStateEventAll, nullptr, nullptr);
    }
    if (session_open && sdk.EdsCloseSession != nullptr) {
      const EdsError err = sdk.EdsCloseSession(camera);
      out("LOG|[CPP_WORKER] EdsCloseSession=" + hex_err(err));
      session_open = false;
    }
    if (sdk.EdsRelease != nullptr) {
      sdk.EdsRelease(camera);
      camera = nullptr;
    }
  }

  if (sdk_initialized) {
    const SdkTermination termination = full_reset_termination(
        sdk.EdsTerminateSDK != nullptr, camera != nullptr, session_open, terminate_sdk_on_mac);
    if (termination != SdkTermination::Skip) {
      const EdsError err = sdk.EdsTerminateSDK();
      out("LOG|[CPP_WORKER] EdsTerminateSDK=" + hex_err(err) +
          (termination == SdkTermination::Safe ? " reason=safe_no_open_session" : " reason=env"));
      sdk_initialized = false;
    } else {
      out("LOG|[CPP_WORKER] macOS: skipping EdsTerminateSDK because a camera session/ref may "
          "exist; process exit cleans native SDK state.");
    }
  }

  if (announce) {
    out("STATUS|Disconnected");
    out("DISCONNECTED|OK");
  }
}

void CanonCppWorker::hard_sdk_reboot_for_detect(const std::string& reason) {
  out("HANDSHAKE_PING|reason=" + reason + "|action=edsdk_terminate_dlclose_reopen_cycle_start");
  capture_enabled.store(false);
  pump_enabled.store(false);
  camera_added_seen = false;
  if (camera != nullptr && sdk.EdsRelease != nullptr) {
    const uint32_t code = sdk.EdsRelease(camera);
    out("LOG|[CPP_WORKER] handshake release stale camera=" + hex_err(code));
    camera = nullptr;
  }
  connected = false;
  session_open = false;

  const bool terminate = env_bool("VANTREL_CPP_HANDSHAKE_TERMINATE_SDK", true);
  if (sdk_initialized) {
    if (sdk.EdsTerminateSDK != nullptr && terminate) {
      const EdsError err = sdk.EdsTerminateSDK();
      out("LOG|[CPP_WORKER] handshake EdsTerminateSDK=" + hex_err(err));
    } else {
      out("LOG|[CPP_WORKER] handshake skipping EdsTerminateSDK by env.");
    }
    sdk_initialized = false;
  }
  if (sdk_library != nullptr) {
    const int rc = dlclose(sdk_library);
    out("LOG|[CPP_WORKER] handshake dlclose rc=" + std::to_string(rc));
    sdk_library = nullptr;
  }
  clear_entry_points();

  std::this_thread::sleep_for(kRebootSettle);
  native_usb_ping(reason + ":after-dlclose");
  std::this_thread::sleep_for(kRebootSettle);
}

bool CanonCppWorker::ensure_sdk_ready_for_detect(const std::string& label,
                                                 bool use_camera_added_handler) {
  out("LOG|[CPP_WORKER] handshake ensure_sdk_ready label=" + label +
      " use_camera_added_handler=" + (use_camera_added_handler ? "1" : "0"));
  out("STATUS|Loading Canon SDK...");
  WatchdogToken done = begin_sdk_startup_watchdog("handshake:" + label);
  const bool ok = load_library_and_symbols() && initialize_sdk();
  done->store(true);
  if (ok) {
    if (use_camera_added_handler && sdk.EdsSetCameraAddedHandler != nullptr) {
      const EdsError err =
          sdk.EdsSetCameraAddedHandler(&CanonCppWorker::camera_added_callback, this);
      out("LOG|[CPP_WORKER] handshake EdsSetCameraAddedHandler=" + hex_err(err));
    } else {
      out("LOG|[CPP_WORKER] handshake CameraAdded handler disabled for label=" + label);
    }
  }
  return ok;
}
