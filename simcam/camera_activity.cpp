#include "camera_activity.h"

#include <chrono>
#include <ctime>

#include "control_command.h"
#include "shot_files.h"

namespace simcam {
namespace {

EdsBaseRef session_camera(SimState& state, int device) {
  for (EdsBaseRef ref : state.objects.refs_of<CameraObject>()) {
    const auto* camera = state.objects.find_as<CameraObject>(ref);
    if (camera->device == device && camera->session_open && state.connected(*camera)) return ref;
  }
  return nullptr;
}

void disconnect(SimState& state, int device) {
  CameraDevice& body = state.device(device);
  if (!body.present) return;
  for (EdsBaseRef ref : state.objects.refs_of<CameraObject>()) {
    auto* camera = state.objects.find_as<CameraObject>(ref);
    if (camera->device != device || camera->generation != body.generation) continue;
    camera->session_open = false;
    state.events.drop_for_camera(ref, true, state);
    state.queue(EventQueue::Kind::State, ref, eds::kStateEventShutdown, nullptr);
  }
  body.present = false;
  body.pending_shots = 0;
  ++body.generation;
}

void plug(SimState& state, int device) {
  CameraDevice& body = state.device(device);
  if (body.present) return;
  body.present = true;
  state.queue(EventQueue::Kind::CameraAdded, nullptr, 0, nullptr);
}

}  // namespace

EdsBaseRef camera_ref(SimState& state, int device) {
  const uint64_t generation = state.device(device).generation;
  for (EdsBaseRef ref : state.objects.refs_of<CameraObject>()) {
    const auto* camera = state.objects.find_as<CameraObject>(ref);
    if (camera->device == device && camera->generation == generation) {
      ++state.objects.find(ref)->refs;
      return ref;
    }
  }
  CameraObject camera;
  camera.device = device;
  camera.generation = generation;
  return state.objects.add(std::move(camera));
}

void apply_control_lines(SimState& state, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const std::optional<ControlCommand> command = parse_control_command(line);
    if (!command) continue;
    state.log.write("control " + format_control_command(*command));
    if (state.devices.empty()) continue;
    switch (command->kind) {
      case ControlCommand::Kind::Shoot:
        state.device(0).pending_shots += command->count;
        break;
      case ControlCommand::Kind::Shutdown:
      case ControlCommand::Kind::Unplug:
        disconnect(state, 0);
        break;
      case ControlCommand::Kind::Plug:
        plug(state, 0);
        break;
    }
  }
}

void take_waiting_shots(SimState& state) {
  for (std::size_t i = 0; i < state.devices.size(); ++i) {
    CameraDevice& body = state.devices[i];
    if (body.pending_shots == 0) continue;
    const EdsBaseRef ref = session_camera(state, static_cast<int>(i));
    auto* camera = state.objects.find_as<CameraObject>(ref);
    if (camera == nullptr || camera->save_to == 0) continue;
    for (; body.pending_shots > 0; --body.pending_shots) take_shot(state, ref, *camera);
  }
}

void take_auto_shots(SimState& state) {
  if (state.config.auto_shoot_ms == 0) return;
  const auto now = std::chrono::steady_clock::now();
  for (EdsBaseRef ref : state.objects.refs_of<CameraObject>()) {
    auto* camera = state.objects.find_as<CameraObject>(ref);
    if (!camera->session_open || !state.connected(*camera) || now < camera->next_auto_shot) {
      continue;
    }
    CameraDevice& body = state.device(camera->device);
    if (state.config.shots && body.auto_shots >= *state.config.shots) continue;
    ++body.auto_shots;
    camera->next_auto_shot = now + std::chrono::milliseconds(state.config.auto_shoot_ms);
    take_shot(state, ref, *camera);
  }
}

void take_shot(SimState& state, EdsBaseRef camera_ref, CameraObject& camera) {
  const int number = state.device(camera.device).take_number();
  const bool transfer = camera.save_to == eds::kSaveToHost || camera.save_to == eds::kSaveToBoth;
  state.log.write("shot camera=" + std::to_string(camera.device) +
                  " number=" + std::to_string(number) + " transfer=" + (transfer ? "1" : "0"));
  if (!transfer) return;
  const auto now = static_cast<uint32_t>(std::time(nullptr));
  for (ShotFile& file : make_shot_files(state.config, number)) {
    const EdsBaseRef item = state.objects.add(DirectoryItemObject{
        .device = camera.device,
        .generation = camera.generation,
        .name = std::move(file.name),
        .format = file.format,
        .size = file.size,
        .date_time = now,
        .content = std::move(file.content),
    });
    state.queue(EventQueue::Kind::Object, camera_ref, eds::kObjectEventDirItemRequestTransfer,
                item);
  }
}

}  // namespace simcam
