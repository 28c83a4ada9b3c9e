// The worker's one state object: the SDK handle, the camera and its session, the pump and the
// download counters. Everything here runs on the worker's main thread, except the atomics, which
// the reader and watchdog threads may read.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "edsdk_api.h"

using WorkerClock = std::chrono::steady_clock;
using WatchdogToken = std::shared_ptr<std::atomic<bool>>;

class CanonCppWorker {
 public:
  CanonCppWorker(std::string download_dir, std::string sdk_path, std::string save_destination);
  ~CanonCppWorker();
  CanonCppWorker(const CanonCppWorker&) = delete;
  CanonCppWorker& operator=(const CanonCppWorker&) = delete;

  // Runs one command line; returns true when the worker should stop (QUIT, RESET).
  bool dispatch(const std::string& line, size_t queued_commands);

  // True when a pump is due now; `wait_ms` tells how long the main loop may sleep otherwise.
  bool pump_due(long long& wait_ms) const;

  // SDK loading, start-up watchdog and resets.
  bool load_library_and_symbols();
  bool initialize_sdk();
  WatchdogToken begin_sdk_startup_watchdog(const std::string& label);
  static EdsError camera_added_callback(void* context);
  void failed_enumeration_sdk_reset();
  void full_sdk_reset(bool announce);
  void hard_sdk_reboot_for_detect(const std::string& reason);
  bool ensure_sdk_ready_for_detect(const std::string& label, bool use_camera_added_handler);

  // Camera discovery.
  EdsError get_first_camera_with_detect_strategy(EdsCameraRef& out_camera);
  EdsError get_first_camera_attempts(const std::string& label, EdsCameraRef& out_camera,
                                     int attempts, int delay_ms, int pump_ms,
                                     const std::string& pass_pump_mode);
  EdsError get_first_camera_once(EdsCameraRef* out_camera, uint32_t& out_count);
  EdsError get_first_camera_handshake_ping(EdsCameraRef& out_camera);
  void log_usb_visibility(const std::string& reason);
  void log_process_visibility(const std::string& reason);
  void native_usb_ping(const std::string& reason);

  // Session.
  bool connect(const std::string& mode);
  bool set_save_to(const std::string& mode);
  void set_download_dir(const std::string& path);
  static bool save_mode_needs_card(const std::string& mode);
  void warn_once_if_card_missing_for_connect();
  bool camera_has_storage_card();
  bool register_camera_handlers();

  // Pumping, remote capture, state report.
  EdsError pump_native_once();
  void light_pump_for_ms(int32_t milliseconds);
  void pump_once_timed(size_t queued_commands);
  void set_pump_active(bool active);
  bool remote_capture(bool without_autofocus);
  void diag(size_t queued_commands) const;

  // Object events and downloads.
  static EdsError object_callback(uint32_t event, EdsBaseRef object, void* context);
  static EdsError property_callback(uint32_t event, uint32_t property_id, uint32_t param,
                                    void* context);
  static EdsError state_callback(uint32_t event, uint32_t param, void* context);
  void download_item(EdsDirectoryItemRef item, uint64_t event_id);
  static std::string ptr_string(const void* pointer);

  static std::string fixed2(double value);
  static std::string fixed3(double value);

 private:
  bool bind_entry_points();
  void clear_entry_points();
  void reset_camera_state_for_reboot();

  std::string download_dir;
  std::string sdk_path;
  std::string save_destination;
  const std::string start_save_destination;  // the third argument, lower-cased
  bool card_warning_shown = false;
  std::string pump_mode = "cf";
  std::string detect_strategy = "handshake";
  bool verbose = false;
  bool register_state_handler = false;
  bool terminate_sdk_on_mac = false;
  bool terminate_on_failed_enum_mac = true;
  void* sdk_library = nullptr;
  bool sdk_initialized = false;
  bool connected = false;
  bool session_open = false;
  bool camera_added_seen = false;
  std::atomic<bool> pump_enabled{false};
  std::atomic<bool> capture_enabled{false};
  int32_t pump_interval_ms = 30;
  EdsCameraRef camera = nullptr;
  uint64_t pump_count = 0;
  uint64_t object_event_count = 0;
  uint64_t download_count = 0;
  WorkerClock::time_point last_keepalive;
  WorkerClock::time_point last_pump;
  WorkerClock::time_point last_download;
  EdsFunctionTable sdk;
  bool entry_points_bound = false;  // every required entry point is in `sdk`
};
