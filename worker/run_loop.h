// A minimal run loop on the worker's main thread. A library loaded into the worker may attach an
// event source to it; the worker runs the loop in short slices while it pumps camera events.
//
// The C functions below are exported by the worker executable. A library finds them with
// dlsym(RTLD_DEFAULT, "vantrel_run_loop_add_source") and must work without them (the detection
// probe has no run loop).
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

extern "C" {
// Called on the thread that runs the loop. Returns non-zero when it handled an event.
typedef int (*vantrel_run_loop_perform_fn)(void* context);

// Attaches a source; returns its id (> 0). Safe to call from any thread.
int vantrel_run_loop_add_source(vantrel_run_loop_perform_fn perform, void* context);
// Detaches a source; after it returns the source's callback is not running and never runs again
// (unless called from inside that callback, which is also allowed). Safe from any thread.
void vantrel_run_loop_remove_source(int source_id);
// Marks a source as having work and wakes a waiting loop. Safe from any thread.
void vantrel_run_loop_signal_source(int source_id);
}

enum class RunLoopResult { Finished, TimedOut, HandledSource };

class RunLoop {
 public:
  static RunLoop& main();

  int add_source(vantrel_run_loop_perform_fn perform, void* context);
  void remove_source(int source_id);
  void signal_source(int source_id);

  // Runs attached sources until one reports an event handled (when return_after_source_handled),
  // or until the time is up. Every attached source is polled at least once per slice, signalled
  // or not, so a library that only polls its own state still gets its events delivered.
  // Returns Finished when no source is attached.
  RunLoopResult run_for(std::chrono::nanoseconds limit, bool return_after_source_handled);

 private:
  struct Source {
    int id;
    vantrel_run_loop_perform_fn perform;
    void* context;
    bool signalled;
  };

  // Calls every attached source once; true when one of them handled an event.
  bool perform_all_once();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::vector<Source> sources_;
  int next_id_ = 1;
  int running_id_ = 0;  // source whose callback runs now, 0 when none
  std::thread::id running_thread_;
  bool any_signalled_ = false;
};
