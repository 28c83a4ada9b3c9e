#include "sim_state.h"

namespace simcam {

void SimState::start(const SimConfig& new_config) {
  config = new_config;
  devices.assign(static_cast<std::size_t>(config.cameras),
                 CameraDevice{.next_number = config.first_number});
  listings = 0;
  busy_opens_left = config.busy_opens;
  failing_downloads_left = config.fail_downloads;
  added_handler = nullptr;
  added_context = nullptr;
  initialized = true;
  ever_initialized = true;
}

void SimState::stop() {
  initialized = false;
  events.clear();
  objects.clear();
  devices.clear();
  control.close();
  added_handler = nullptr;
  added_context = nullptr;
}

EdsError SimState::logged(std::string_view name, std::string_view fields, EdsError result) {
  log.write(call_line(name, fields, result));
  return result;
}

EdsError SimState::not_initialized(std::string_view name) {
  check.add(std::string(ever_initialized ? "call after terminate " : "call before initialise ") +
            std::string(name));
  return logged(name, {}, eds::kNotInitialized);
}

std::optional<EdsError> SimState::failure_for(std::string_view name) const {
  const auto found = config.failing_calls.find(name);
  if (found == config.failing_calls.end()) return std::nullopt;
  return found->second;
}

std::string SimState::kind_of(EdsBaseRef ref) {
  const SimObject* object = objects.find(ref);
  return object != nullptr ? kind_name(object->data) : "invalid";
}

bool SimState::connected(int index, uint64_t generation) const {
  if (index < 0 || static_cast<std::size_t>(index) >= devices.size()) return false;
  const CameraDevice& body = devices[static_cast<std::size_t>(index)];
  return body.present && body.generation == generation;
}

bool SimState::connected(const CameraObject& camera) const {
  return connected(camera.device, camera.generation);
}

void SimState::queue(EventQueue::Kind kind, EdsBaseRef camera, uint32_t event, EdsBaseRef item) {
  events.push(kind, camera, event, item);
  run_loop.signal();
}

void SimState::forget(EdsBaseRef ref, const SimObject& object) {
  if (std::holds_alternative<CameraObject>(object.data)) {
    events.drop_for_camera(ref, false, *this);
  }
  const auto* item = std::get_if<DirectoryItemObject>(&object.data);
  if (item != nullptr && item->delivered && !item->finished) {
    check.add("item released without complete or cancel name=" + item->name);
  }
}

const camlib::CameraHandlers* SimState::handlers_of(EdsBaseRef camera) {
  const auto* object = objects.find_as<CameraObject>(camera);
  return object != nullptr ? &object->handlers : nullptr;
}

bool SimState::item_exists(EdsBaseRef item) {
  return objects.find_as<DirectoryItemObject>(item) != nullptr;
}

void SimState::discard(EdsBaseRef item) {
  objects.remove(item);
}

void SimState::hand_over(EdsBaseRef item, uint32_t event) {
  auto* object = objects.find_as<DirectoryItemObject>(item);
  object->delivered = true;
  log.write("deliver object event=" + hex32(event) + " name=" + object->name);
}

void SimState::delivering_camera_added() {
  log.write("deliver camera-added");
}

void SimState::delivering_state(uint32_t event) {
  log.write("deliver state event=" + hex32(event) + " param=" + hex32(0));
}

void SimState::report_leaks() {
  for (const auto& [key, object] : objects.all()) {
    const auto* item = std::get_if<DirectoryItemObject>(&object.data);
    if (item != nullptr && !item->delivered) continue;  // still the camera's own
    std::string finding =
        std::string("leak ") + kind_name(object.data) + " refs=" + std::to_string(object.refs);
    if (item != nullptr) finding += " name=" + item->name;
    if (const auto* stream = std::get_if<FileStreamObject>(&object.data)) {
      finding += " path=" + stream->path;
    }
    check.add(std::move(finding));
  }
}

}  // namespace simcam
