// How the simulated camera behaves, read from the VANTREL_SIM_* environment variables each time
// EdsInitializeSDK is called. Numbers are decimal or 0x-prefixed hexadecimal; unset, empty or
// malformed variables keep the defaults below.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace simcam {

struct SimConfig {
  int cameras = 1;             // VANTREL_SIM_CAMERAS, at most kMaxCameras
  uint64_t appear_after = 0;   // VANTREL_SIM_APPEAR_AFTER: listings that come back empty
  uint64_t init_delay_ms = 0;  // VANTREL_SIM_INIT_DELAY_MS
  // VANTREL_SIM_INIT_DELAY_ONCE: a marker file; when set, the delay applies only while the file
  // exists, and the first initialise that delays removes it (a library that hangs once).
  std::string init_delay_once_path;
  uint32_t init_error = 0;           // VANTREL_SIM_INIT_ERROR
  uint64_t busy_opens = 0;           // VANTREL_SIM_BUSY_OPENS
  bool no_card = false;              // VANTREL_SIM_NO_CARD
  uint64_t auto_shoot_ms = 0;        // VANTREL_SIM_AUTO_SHOOT_MS, 0: off
  std::optional<uint64_t> shots;     // VANTREL_SIM_SHOTS: auto-shots per camera; unset: no limit
  std::string control_path;          // VANTREL_SIM_CONTROL
  uint64_t image_bytes = 200000;     // VANTREL_SIM_IMAGE_BYTES, at most kMaxImageBytes
  bool raw = false;                  // VANTREL_SIM_RAW
  uint64_t raw_bytes = 64 * 1024;    // VANTREL_SIM_RAW_BYTES, at most kMaxImageBytes
  int first_number = 1;              // VANTREL_SIM_FIRST_NUMBER, 1 to 9999
  uint64_t download_delay_ms = 0;    // VANTREL_SIM_DOWNLOAD_DELAY_MS
  uint64_t fail_downloads = 0;       // VANTREL_SIM_FAIL_DOWNLOADS
  bool empty_name = false;           // VANTREL_SIM_EMPTY_NAME
  std::string name_prefix = "IMG_";  // VANTREL_SIM_NAME_PREFIX: what the card's names start with
  std::string log_path;              // VANTREL_SIM_LOG
  // VANTREL_SIM_FAIL, "EdsOpenSession=0x7,EdsSetCapacity=2": each entry point named answers
  // every call with its code instead of doing its work (a camera whose calls fail).
  std::map<std::string, uint32_t, std::less<>> failing_calls;

  static constexpr int kMaxCameras = 16;
  // Keeps a mistyped size from exhausting memory.
  static constexpr uint64_t kMaxImageBytes = uint64_t{1} << 30;

  static SimConfig from_environment();
};

// VANTREL_SIM_CHECK=1. Read when a report is due rather than at initialise, because calls made
// before the first initialise are reported too.
bool check_enabled();

}  // namespace simcam
