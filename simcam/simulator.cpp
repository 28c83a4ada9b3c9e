#include "simulator.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "camera_activity.h"
#include "camera_calls.h"
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
  state_.run_loop.attach(&Simulator::perform_from_run_loop, this);
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

int Simulator::perform_from_run_loop(void* context) {
  auto* self = static_cast<Simulator*>(context);
  if (!self->poll()) return 0;
  // Tests tell from this which pump step delivered: the run loop or EdsGetEvent.
  self->state_.log.write("run-loop delivered");
  return 1;
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

bool Simulator::collect_events() {
  if (!state_.initialized) return false;
  apply_control_lines(state_, state_.control.read_lines());
  take_waiting_shots(state_);
  take_auto_shots(state_);
  return true;
}

std::optional<camlib::EventQueue::Delivery> Simulator::next_delivery(uint64_t last_seq) {
  if (!state_.initialized) return std::nullopt;
  return state_.events.take_next(last_seq, state_, state_.added_handler, state_.added_context);
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

EdsError Simulator::get_camera_list(EdsCameraListRef* out_list) {
  return call(simcam::get_camera_list, out_list);
}

EdsError Simulator::get_child_count(EdsBaseRef ref, uint32_t* out_count) {
  return call(simcam::get_child_count, ref, out_count);
}

EdsError Simulator::get_child_at_index(EdsBaseRef ref, int32_t index, EdsBaseRef* out_ref) {
  return call(simcam::get_child_at_index, ref, index, out_ref);
}

EdsError Simulator::open_session(EdsCameraRef camera) {
  return call(simcam::open_session, camera);
}

EdsError Simulator::close_session(EdsCameraRef camera) {
  return call(simcam::close_session, camera);
}

uint32_t Simulator::release(EdsBaseRef ref) {
  return call(simcam::release, ref);
}

EdsError Simulator::send_command(EdsCameraRef camera, uint32_t command, int32_t param) {
  return call(simcam::send_command, camera, command, param);
}

EdsError Simulator::set_property_data(EdsBaseRef ref, uint32_t property, int32_t param,
                                      uint32_t size, const void* data) {
  return call(simcam::set_property_data, ref, property, param, size, data);
}

EdsError Simulator::set_capacity(EdsCameraRef camera, EdsCapacity capacity) {
  return call(simcam::set_capacity, camera, capacity);
}

EdsError Simulator::set_camera_added_handler(EdsCameraAddedHandler handler, void* context) {
  return call(simcam::set_camera_added_handler, handler, context);
}

EdsError Simulator::set_object_event_handler(EdsCameraRef camera, uint32_t event,
                                             EdsObjectEventHandler handler, void* context) {
  return call(simcam::set_object_event_handler, camera, event, handler, context);
}

EdsError Simulator::set_property_event_handler(EdsCameraRef camera, uint32_t event,
                                               EdsPropertyEventHandler handler, void* context) {
  return call(simcam::set_property_event_handler, camera, event, handler, context);
}

EdsError Simulator::set_state_event_handler(EdsCameraRef camera, uint32_t event,
                                            EdsStateEventHandler handler, void* context) {
  return call(simcam::set_state_event_handler, camera, event, handler, context);
}

EdsError Simulator::get_directory_item_info(EdsDirectoryItemRef item,
                                            EdsDirectoryItemInfo* out_info) {
  return call(simcam::get_directory_item_info, item, out_info);
}

EdsError Simulator::create_file_stream(const char* path, uint32_t disposition, uint32_t access,
                                       EdsStreamRef* out_stream) {
  return call(simcam::create_file_stream, path, disposition, access, out_stream);
}

EdsError Simulator::download_complete(EdsDirectoryItemRef item) {
  return call(simcam::download_complete, item);
}

EdsError Simulator::download_cancel(EdsDirectoryItemRef item) {
  return call(simcam::download_cancel, item);
}

}  // namespace simcam

namespace camlib {

CameraLibrary* make_camera_library() {
  return new simcam::Simulator;
}

}  // namespace camlib
