#include "run_loop_source.h"

#include <dlfcn.h>

namespace camlib {

bool RunLoopSource::attach(vantrel_run_loop_perform_fn perform, void* context) {
  if (id_.load() != 0) return true;
  const auto add = reinterpret_cast<AddFn>(dlsym(RTLD_DEFAULT, "vantrel_run_loop_add_source"));
  remove_ = reinterpret_cast<RemoveFn>(dlsym(RTLD_DEFAULT, "vantrel_run_loop_remove_source"));
  signal_ = reinterpret_cast<SignalFn>(dlsym(RTLD_DEFAULT, "vantrel_run_loop_signal_source"));
  if (add == nullptr || remove_ == nullptr || signal_ == nullptr) return false;
  const int id = add(perform, context);
  if (id <= 0) return false;
  id_.store(id);
  return true;
}

void RunLoopSource::detach() {
  const int id = id_.exchange(0);
  if (id != 0) remove_(id);
}

void RunLoopSource::signal() const {
  const int id = id_.load();
  if (id != 0) signal_(id);
}

}  // namespace camlib
