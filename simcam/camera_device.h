// One simulated camera body: whether it is plugged in, and its file numbering. It outlives the
// camera refs made for it, until EdsTerminateSDK.
#pragma once

#include <cstdint>

namespace simcam {

struct CameraDevice {
  bool present = true;      // false after "unplug" or "shutdown", until "plug"
  uint64_t generation = 0;  // bumped on disconnecting; refs made before then are stale
  int next_number = 1;
  int pending_shots = 0;  // "shoot" requests waiting for a session and a save target
  uint64_t auto_shots = 0;

  // The next file number; it wraps from 9999 to 1 as cameras do.
  int take_number() {
    const int number = next_number;
    next_number = number >= 9999 ? 1 : number + 1;
    return number;
  }
};

}  // namespace simcam
