// The library's event source on the worker's run loop. The loop's functions are looked up in the
// process with dlsym(RTLD_DEFAULT); where they do not exist (the detection probe) nothing is
// attached and events are delivered by EdsGetEvent alone.
//
// detach() must not be called with the library's mutex held: removing a source waits for its
// callback to return, and the callback takes that mutex.
#pragma once

#include <atomic>

#include "run_loop.h"

namespace camlib {

class RunLoopSource {
 public:
  // True when attached (or already attached).
  bool attach(vantrel_run_loop_perform_fn perform, void* context);
  // Safe to call when not attached, more than once, and from inside the callback.
  void detach();
  // Wakes the loop so it polls the source soon.
  void signal() const;

 private:
  using AddFn = decltype(&vantrel_run_loop_add_source);
  using RemoveFn = decltype(&vantrel_run_loop_remove_source);
  using SignalFn = decltype(&vantrel_run_loop_signal_source);

  // Written only while no source is attached; id_ publishes them.
  RemoveFn remove_ = nullptr;
  SignalFn signal_ = nullptr;
  std::atomic<int> id_{0};
};

}  // namespace camlib
