// The simulated camera: one instance lives from library load to unload, and EdsInitializeSDK and
// EdsTerminateSDK start and end a run within it. It owns the mutex that guards all state.
//
// Events reach handlers only while the caller pumps: inside EdsGetEvent, or when the worker's run
// loop polls the source attached at initialise. A poll reads the control channel, takes the shots
// that are due, then delivers every event that was pending when it began; events raised by the
// handlers it calls wait for the next poll. Handlers may call back into the library, so the mutex
// is never held while one runs.
//
// Commands already in the control file at initialise are applied then, before anything is listed,
// and announce nothing: a file holding "unplug" starts the camera unplugged, and a "shoot" waits
// for a session. Re-initialising reads the file from its start again, replaying everything in it.
#pragma once

#include <mutex>

#include "sim_state.h"

namespace simcam {

class Simulator {
 public:
  EdsError initialize();
  EdsError terminate();
  EdsError get_event();
  EdsError download(EdsDirectoryItemRef item, uint64_t size, EdsStreamRef stream);

  // Runs one of the other entry points' functions (camera_calls.h, transfer_calls.h) under the
  // mutex.
  template <class Fn, class... Args>
  auto call(Fn fn, Args... args) {
    std::lock_guard lock(mutex_);
    return fn(state_, args...);
  }

  // One delivery step (see above). True when it delivered at least one event.
  bool poll();
  void detach_run_loop() { state_.run_loop.detach(); }
  // Library unload: detaches from the run loop and reports what was left behind.
  void unload();

 private:
  static int perform(void* context);

  std::mutex mutex_;
  SimState state_;
};

}  // namespace simcam
