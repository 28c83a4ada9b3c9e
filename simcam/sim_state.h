// Everything one run of the simulated camera knows, with the bookkeeping every call shares:
// logging, misuse reports, ref lookup. Simulator's mutex guards it; every function that takes a
// SimState& expects that mutex held. (The log and the run-loop source are also safe without it.)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "call_log.h"
#include "camera_device.h"
#include "check_report.h"
#include "control_channel.h"
#include "event_queue.h"
#include "event_receivers.h"
#include "run_loop_source.h"
#include "sim_config.h"
#include "sim_objects.h"

namespace simcam {

// The vendor's code for a command sent to a camera without an open session.
constexpr EdsError kSessionNotOpen = 0x00002003;
// What EdsRelease returns for a ref it does not know.
constexpr uint32_t kBadRefCount = 0xFFFFFFFF;

using camlib::EventQueue;

class SimState : public camlib::EventReceivers {
 public:
  // Starts a run with a fresh configuration: no refs, cameras present, counters reset.
  void start(const SimConfig& new_config);
  // Ends the run, freeing every object (which closes streams).
  void stop();

  // Logs an entry-point line and returns result.
  EdsError logged(std::string_view name, std::string_view fields, EdsError result);
  // For a call made outside a run: noted for the check report, logged, kNotInitialized.
  EdsError not_initialized(std::string_view name);
  // The code the configuration makes the entry point `name` fail with, if any.
  std::optional<EdsError> failure_for(std::string_view name) const;

  // The ref's object as a T, or nullptr (noted for the check report as a bad ref of name).
  template <class T>
  T* find(EdsBaseRef ref, std::string_view name) {
    T* object = nullptr;
    if constexpr (std::is_same_v<T, SimObject>) {
      object = objects.find(ref);
    } else {
      object = objects.find_as<T>(ref);
    }
    if (object == nullptr) check.add("invalid ref " + std::string(name));
    return object;
  }

  // "camera", "stream", ... or "invalid", for log lines.
  std::string kind_of(EdsBaseRef ref);
  bool connected(int device, uint64_t generation) const;
  bool connected(const CameraObject& camera) const;
  CameraDevice& device(int index) { return devices[static_cast<std::size_t>(index)]; }

  void queue(EventQueue::Kind kind, EdsBaseRef camera, uint32_t event, EdsBaseRef item);
  // Tidies up after an object whose last reference went.
  void forget(EdsBaseRef ref, const SimObject& object);
  // Adds a finding for every ref the caller still holds.
  void report_leaks();

  // What the event queue asks (see camlib's event_receivers.h).
  const camlib::CameraHandlers* handlers_of(EdsBaseRef camera) override;
  bool item_exists(EdsBaseRef item) override;
  void discard(EdsBaseRef item) override;
  void hand_over(EdsBaseRef item, uint32_t event) override;
  void delivering_camera_added() override;
  void delivering_state(uint32_t event) override;

  bool initialized = false;
  bool ever_initialized = false;
  SimConfig config;
  ObjectTable objects;
  std::vector<CameraDevice> devices;
  EventQueue events;
  uint64_t listings = 0;
  uint64_t busy_opens_left = 0;
  uint64_t failing_downloads_left = 0;
  EdsCameraAddedHandler added_handler = nullptr;
  void* added_context = nullptr;
  ControlChannel control;
  CallLog log;
  CheckReport check;
  camlib::RunLoopSource run_loop;
};

}  // namespace simcam
