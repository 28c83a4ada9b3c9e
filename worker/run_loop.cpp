#include "run_loop.h"

#include <algorithm>

RunLoop& RunLoop::main() {
  static RunLoop loop;
  return loop;
}

int RunLoop::add_source(vantrel_run_loop_perform_fn perform, void* context) {
  if (perform == nullptr) return 0;
  std::lock_guard lock(mutex_);
  const int id = next_id_++;
  sources_.push_back(Source{id, perform, context, false});
  return id;
}

void RunLoop::remove_source(int source_id) {
  std::unique_lock lock(mutex_);
  std::erase_if(sources_, [source_id](const Source& s) { return s.id == source_id; });
  // Another thread may be inside this source's callback: wait until it has returned, so that the
  // library can free the callback's context (or be unloaded) right after removing it. A callback
  // that removes its own source must not wait for itself.
  if (running_id_ == source_id && running_thread_ != std::this_thread::get_id()) {
    idle_.wait(lock, [&] { return running_id_ != source_id; });
  }
}

void RunLoop::signal_source(int source_id) {
  {
    std::lock_guard lock(mutex_);
    for (auto& s : sources_) {
      if (s.id == source_id) {
        s.signalled = true;
        any_signalled_ = true;
      }
    }
  }
  wake_.notify_all();
}

bool RunLoop::perform_all_once() {
  std::vector<int> ids;
  {
    std::lock_guard lock(mutex_);
    any_signalled_ = false;
    for (auto& s : sources_) {
      ids.push_back(s.id);
    }
  }
  bool handled = false;
  for (int id : ids) {
    vantrel_run_loop_perform_fn perform = nullptr;
    void* context = nullptr;
    {
      std::lock_guard lock(mutex_);
      auto it = std::find_if(sources_.begin(), sources_.end(),
                             [id](const Source& s) { return s.id == id; });
      if (it == sources_.end()) continue;  // removed by an earlier callback
      it->signalled = false;
      perform = it->perform;
      context = it->context;
      running_id_ = id;
      running_thread_ = std::this_thread::get_id();
    }
    const bool did = perform(context) != 0;
    {
      std::lock_guard lock(mutex_);
      running_id_ = 0;
    }
    idle_.notify_all();
    handled = handled || did;
  }
  return handled;
}

RunLoopResult RunLoop::run_for(std::chrono::nanoseconds limit, bool return_after_source_handled) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  {
    std::lock_guard lock(mutex_);
    if (sources_.empty()) return RunLoopResult::Finished;
  }
  bool handled_any = false;
  for (;;) {
    if (perform_all_once()) {
      handled_any = true;
      if (return_after_source_handled) return RunLoopResult::HandledSource;
    }
    std::unique_lock lock(mutex_);
    if (sources_.empty()) return RunLoopResult::Finished;
    if (!wake_.wait_until(lock, deadline, [&] { return any_signalled_; })) {
      break;
    }
  }
  // One last look after the wait, so that a slice always polls its sources at its end too.
  if (perform_all_once()) handled_any = true;
  return handled_any ? RunLoopResult::HandledSource : RunLoopResult::TimedOut;
}

extern "C" {

int vantrel_run_loop_add_source(vantrel_run_loop_perform_fn perform, void* context) {
  return RunLoop::main().add_source(perform, context);
}

void vantrel_run_loop_remove_source(int source_id) {
  RunLoop::main().remove_source(source_id);
}

void vantrel_run_loop_signal_source(int source_id) {
  RunLoop::main().signal_source(source_id);
}
}
