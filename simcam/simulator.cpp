#include "simulator.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "camera_activity.h"
#include "transfer_calls.h"

namespace simcam {

EdsError Simulator::initialize() {
  constexpr std::string_view kName = "EdsInitializeSDK";
  const SimConfig config = SimConfig::from_environment();
  bool delay = config.init_delay_ms > 0;
  if (delay && !config.init_delay_once_path.empty()) {
    delay = std::remove(config.init_delay_once_path.c_str()) == 0;
  }
  if (delay) std::this_thread::sleep_for(std::chrono::milliseconds(config.init_delay_ms));
  {
    std::lock_guard lock(mutex_);
    state_.log.open(config.log_path);
    if (state_.initialized) return state_.logged(kName, {}, eds::kOk);
    if (config.init_error != 0) return state_.logged(kName, {}, config.init_error);
    state_.start(config);
    state_.control.open(config.control_path);
    apply_control_lines(state_, state_.control.read_lines());
    state_.events.clear();  // the file's past announces nothing
  }
  // Outside the mutex: attaching may run the loop's own locking.
  state_.run_loop.attach(&Simulator::perform, this);
  return state_.logged(kName, {}, eds::kOk);
}

EdsError Simulator::terminate() {
  constexpr std::string_view kName = "EdsTerminateSDK";
  {
    std::lock_guard lock(mutex_);
    if (!state_.initialized) return state_.not_initialized(kName);
    state_.report_leaks();
    state_.stop();
  }
  // Outside the mutex: removing waits for a callback in progress, which may be waiting for it.
  state_.run_loop.detach();
  std::lock_guard lock(mutex_);
  state_.logged(kName, {}, eds::kOk);
  state_.check.flush();
  return eds::kOk;
}

void Simulator::unload() {
  state_.run_loop.detach();
  std::lock_guard lock(mutex_);
  if (state_.initialized) {
    state_.check.add("unloaded without terminate");
    state_.report_leaks();
    state_.stop();
  }
  state_.check.flush();
  state_.log.close();
}

EdsError Simulator::get_event() {
  {
    std::lock_guard lock(mutex_);
    if (!state_.initialized) return state_.not_initialized("EdsGetEvent");
    state_.logged("EdsGetEvent", {}, eds::kOk);
  }
  poll();
  return eds::kOk;
}

int Simulator::perform(void* context) {
  return static_cast<Simulator*>(context)->poll() ? 1 : 0;
}

bool Simulator::poll() {
  uint64_t last_seq = 0;
  {
    std::lock_guard lock(mutex_);
    if (!state_.initialized) return false;
    apply_control_lines(state_, state_.control.read_lines());
    take_waiting_shots(state_);
    take_auto_shots(state_);
    last_seq = state_.events.last_seq();
  }
  bool delivered = false;
  for (;;) {
    std::optional<EventQueue::Delivery> delivery;
    {
      std::lock_guard lock(mutex_);
      if (!state_.initialized) break;
      delivery = state_.events.take_next(last_seq, state_.objects, state_.added_handler,
                                         state_.added_context, state_.log);
    }
    if (!delivery) break;
    delivery->invoke();
    delivered = true;
  }
  return delivered;
}

EdsError Simulator::download(EdsDirectoryItemRef item, uint64_t size, EdsStreamRef stream) {
  DownloadJob job;
  {
    std::lock_guard lock(mutex_);
    const EdsError result = prepare_download(state_, item, size, stream, job);
    if (result != eds::kOk) return result;
  }
  return state_.logged("EdsDownload", job.log_fields, job.run());
}

}  // namespace simcam
