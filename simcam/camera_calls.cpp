#include "camera_calls.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "camera_activity.h"

namespace simcam {
namespace {

std::string handler_field(bool set) {
  return set ? " handler=set" : " handler=none";
}

EdsError count_children(SimState& state, const SimObject& object, uint32_t& count) {
  if (const auto* list = std::get_if<CameraListObject>(&object.data)) {
    count = static_cast<uint32_t>(list->devices.size());
  } else if (const auto* camera = std::get_if<CameraObject>(&object.data)) {
    if (!state.connected(*camera)) return eds::kCommDisconnected;
    count = state.config.no_card ? 0 : 1;
  } else if (!std::holds_alternative<VolumeObject>(object.data)) {
    return eds::kInvalidHandle;  // items and streams have no children
  }
  return eds::kOk;
}

EdsError child_at(SimState& state, const SimObject& object, int32_t index, EdsBaseRef& child) {
  if (const auto* list = std::get_if<CameraListObject>(&object.data)) {
    if (index < 0 || static_cast<std::size_t>(index) >= list->devices.size()) {
      return eds::kInvalidParameter;
    }
    child = camera_ref(state, list->devices[static_cast<std::size_t>(index)]);
    return eds::kOk;
  }
  if (const auto* camera = std::get_if<CameraObject>(&object.data)) {
    if (!state.connected(*camera)) return eds::kCommDisconnected;
    if (index != 0 || state.config.no_card) return eds::kInvalidParameter;
    child = state.objects.add(VolumeObject{camera->device});
    return eds::kOk;
  }
  if (std::holds_alternative<VolumeObject>(object.data)) return eds::kInvalidParameter;
  return eds::kInvalidHandle;
}

// The checks shared by calls that need a live camera: a nullptr return means "give up with
// result", which has been logged.
CameraObject* live_camera(SimState& state, EdsBaseRef ref, std::string_view name,
                          std::string_view fields, EdsError& result) {
  auto* camera = state.find<CameraObject>(ref, name);
  if (camera == nullptr) {
    result = state.logged(name, fields, eds::kInvalidHandle);
  } else if (!state.connected(*camera)) {
    result = state.logged(name, fields, eds::kCommDisconnected);
    camera = nullptr;
  }
  return camera;
}

// Registers (or with a null handler, clears) one of a camera's handlers. event must be of the
// handler's family: its "all" mask or one event of it.
template <class Fn>
EdsError set_handler(SimState& state, std::string_view name, uint32_t family,
                     camlib::HandlerSlot<Fn> camlib::CameraHandlers::*slot, EdsCameraRef ref,
                     uint32_t event, Fn handler, void* context) {
  if (!state.initialized) return state.not_initialized(name);
  const std::string fields = "event=" + hex32(event) + handler_field(handler != nullptr);
  auto* camera = state.find<CameraObject>(ref, name);
  if (camera == nullptr) return state.logged(name, fields, eds::kInvalidHandle);
  if (!(camera->handlers.*slot).assign(family, event, handler, context)) {
    return state.logged(name, fields, eds::kInvalidParameter);
  }
  state.run_loop.signal();  // transfer requests may have been waiting for a handler
  return state.logged(name, fields, eds::kOk);
}

}  // namespace

EdsError get_camera_list(SimState& state, EdsCameraListRef* out_list) {
  constexpr std::string_view kName = "EdsGetCameraList";
  if (!state.initialized) return state.not_initialized(kName);
  if (out_list == nullptr) return state.logged(kName, "count=0", eds::kInvalidParameter);
  const bool appeared = state.listings >= state.config.appear_after;
  ++state.listings;
  const bool any_present = std::any_of(state.devices.begin(), state.devices.end(),
                                       [](const CameraDevice& body) { return body.present; });
  if (state.config.appear_after > 0 && state.listings == state.config.appear_after && any_present) {
    state.queue(EventQueue::Kind::CameraAdded, nullptr, 0, nullptr);
  }
  CameraListObject list;
  for (std::size_t i = 0; appeared && i < state.devices.size(); ++i) {
    if (state.devices[i].present) list.devices.push_back(static_cast<int>(i));
  }
  const std::size_t count = list.devices.size();
  *out_list = state.objects.add(std::move(list));
  return state.logged(kName, "count=" + std::to_string(count), eds::kOk);
}

EdsError get_child_count(SimState& state, EdsBaseRef ref, uint32_t* out_count) {
  constexpr std::string_view kName = "EdsGetChildCount";
  if (!state.initialized) return state.not_initialized(kName);
  uint32_t count = 0;
  EdsError result = eds::kInvalidParameter;
  if (const SimObject* object = state.find<SimObject>(ref, kName); object == nullptr) {
    result = eds::kInvalidHandle;
  } else if (out_count != nullptr) {
    result = count_children(state, *object, count);
    if (result == eds::kOk) *out_count = count;
  }
  return state.logged(kName, "kind=" + state.kind_of(ref) + " count=" + std::to_string(count),
                      result);
}

EdsError get_child_at_index(SimState& state, EdsBaseRef ref, int32_t index, EdsBaseRef* out_ref) {
  constexpr std::string_view kName = "EdsGetChildAtIndex";
  if (!state.initialized) return state.not_initialized(kName);
  const std::string fields = "kind=" + state.kind_of(ref) + " index=" + std::to_string(index);
  const SimObject* object = state.find<SimObject>(ref, kName);
  if (object == nullptr) return state.logged(kName, fields, eds::kInvalidHandle);
  if (out_ref == nullptr) return state.logged(kName, fields, eds::kInvalidParameter);
  EdsBaseRef child = nullptr;
  const EdsError result = child_at(state, *object, index, child);
  if (result == eds::kOk) *out_ref = child;
  return state.logged(kName, fields, result);
}

EdsError open_session(SimState& state, EdsCameraRef ref) {
  constexpr std::string_view kName = "EdsOpenSession";
  if (!state.initialized) return state.not_initialized(kName);
  EdsError result = eds::kOk;
  CameraObject* camera = live_camera(state, ref, kName, {}, result);
  if (camera == nullptr) return result;
  if (const auto failure = state.failure_for(kName)) return state.logged(kName, {}, *failure);
  if (state.busy_opens_left > 0) {
    --state.busy_opens_left;
    return state.logged(kName, {}, eds::kDeviceBusy);
  }
  if (!camera->session_open) {
    camera->session_open = true;
    camera->save_to = 0;
    camera->next_auto_shot =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(state.config.auto_shoot_ms);
  }
  return state.logged(kName, {}, eds::kOk);
}

// Closing succeeds on any camera ref, stale or not: a caller tidying up after a disconnect has
// nothing better to do with an error.
EdsError close_session(SimState& state, EdsCameraRef ref) {
  constexpr std::string_view kName = "EdsCloseSession";
  if (!state.initialized) return state.not_initialized(kName);
  auto* camera = state.find<CameraObject>(ref, kName);
  if (camera == nullptr) return state.logged(kName, {}, eds::kInvalidHandle);
  camera->session_open = false;
  camera->save_to = 0;
  return state.logged(kName, {}, eds::kOk);
}

uint32_t release(SimState& state, EdsBaseRef ref) {
  constexpr std::string_view kName = "EdsRelease";
  if (!state.initialized) {
    state.not_initialized(kName);
    return kBadRefCount;
  }
  const std::string fields = "kind=" + state.kind_of(ref);
  if (state.find<SimObject>(ref, kName) == nullptr)
    return state.logged(kName, fields, kBadRefCount);
  const auto released = state.objects.release(ref);
  if (released->removed) state.forget(ref, *released->removed);
  return state.logged(kName, fields, released->remaining);
}

EdsError send_command(SimState& state, EdsCameraRef ref, uint32_t command, int32_t param) {
  constexpr std::string_view kName = "EdsSendCommand";
  if (!state.initialized) return state.not_initialized(kName);
  const std::string fields =
      "cmd=" + hex32(command) + " param=" + hex32(static_cast<uint32_t>(param));
  EdsError result = eds::kOk;
  CameraObject* camera = live_camera(state, ref, kName, fields, result);
  if (camera == nullptr) return result;
  if (!camera->session_open) return state.logged(kName, fields, kSessionNotOpen);
  if (const auto failure = state.failure_for(kName)) return state.logged(kName, fields, *failure);
  if (command == eds::kCameraCommandExtendShutDownTimer) {
    return state.logged(kName, fields, eds::kOk);
  }
  if (command != eds::kCameraCommandPressShutterButton) {
    return state.logged(kName, fields, eds::kInvalidParameter);
  }
  // Other button states (half-way, release) are accepted and change nothing here.
  if (param == eds::kShutterButtonCompletely || param == eds::kShutterButtonCompletelyNonAF) {
    take_shot(state, ref, *camera);
  }
  return state.logged(kName, fields, eds::kOk);
}

// Only the save target means anything; other properties are accepted and ignored.
EdsError set_property_data(SimState& state, EdsBaseRef ref, uint32_t property, int32_t /*param*/,
                           uint32_t size, const void* data) {
  constexpr std::string_view kName = "EdsSetPropertyData";
  if (!state.initialized) return state.not_initialized(kName);
  int32_t value = 0;
  const bool has_value = size == sizeof value && data != nullptr;
  if (has_value) std::memcpy(&value, data, sizeof value);
  const std::string fields =
      "prop=" + hex32(property) +
      (has_value ? " value=" + std::to_string(value) : " size=" + std::to_string(size));
  EdsError result = eds::kOk;
  CameraObject* camera = live_camera(state, ref, kName, fields, result);
  if (camera == nullptr) return result;
  if (!camera->session_open) return state.logged(kName, fields, kSessionNotOpen);
  if (const auto failure = state.failure_for(kName)) return state.logged(kName, fields, *failure);
  if (property != eds::kPropSaveTo) return state.logged(kName, fields, eds::kOk);
  if (!has_value || value < eds::kSaveToCamera || value > eds::kSaveToBoth) {
    return state.logged(kName, fields, eds::kInvalidParameter);
  }
  camera->save_to = value;
  return state.logged(kName, fields, eds::kOk);
}

EdsError set_capacity(SimState& state, EdsCameraRef ref, EdsCapacity capacity) {
  constexpr std::string_view kName = "EdsSetCapacity";
  if (!state.initialized) return state.not_initialized(kName);
  const std::string fields = "clusters=" + std::to_string(capacity.numberOfFreeClusters) +
                             " bytes=" + std::to_string(capacity.bytesPerSector) +
                             " reset=" + std::to_string(capacity.reset);
  EdsError result = eds::kOk;
  if (live_camera(state, ref, kName, fields, result) == nullptr) return result;
  return state.logged(kName, fields, state.failure_for(kName).value_or(eds::kOk));
}

EdsError set_camera_added_handler(SimState& state, EdsCameraAddedHandler handler, void* context) {
  constexpr std::string_view kName = "EdsSetCameraAddedHandler";
  if (!state.initialized) return state.not_initialized(kName);
  state.added_handler = handler;
  state.added_context = context;
  return state.logged(kName, handler_field(handler != nullptr).substr(1), eds::kOk);
}

EdsError set_object_event_handler(SimState& state, EdsCameraRef ref, uint32_t event,
                                  EdsObjectEventHandler handler, void* context) {
  return set_handler(state, "EdsSetObjectEventHandler", eds::kObjectEventAll,
                     &camlib::CameraHandlers::object, ref, event, handler, context);
}

EdsError set_property_event_handler(SimState& state, EdsCameraRef ref, uint32_t event,
                                    EdsPropertyEventHandler handler, void* context) {
  return set_handler(state, "EdsSetPropertyEventHandler", eds::kPropertyEventAll,
                     &camlib::CameraHandlers::property, ref, event, handler, context);
}

EdsError set_state_event_handler(SimState& state, EdsCameraRef ref, uint32_t event,
                                 EdsStateEventHandler handler, void* context) {
  return set_handler(state, "EdsSetCameraStateEventHandler", eds::kStateEventAll,
                     &camlib::CameraHandlers::state, ref, event, handler, context);
}

}  // namespace simcam
