// Stands in for the worker's run loop. The test executable exports the loop's C functions
// (ENABLE_EXPORTS), so the library finds them with dlsym(RTLD_DEFAULT) and attaches here.
#pragma once

#include <vector>

#include "run_loop.h"

struct FakeRunLoop {
  vantrel_run_loop_perform_fn perform = nullptr;
  void* context = nullptr;
  int attached_id = 0;
  int next_id = 1;
  int signals = 0;
  std::vector<int> removed;

  // One poll of the attached source, as the worker's loop makes it: non-zero when it delivered.
  int poll() const { return perform != nullptr ? perform(context) : 0; }
};

FakeRunLoop& fake_run_loop();
