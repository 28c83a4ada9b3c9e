// The simulated camera: one instance lives from library load to unload, and EdsInitializeSDK and
// EdsTerminateSDK start and end a run within it. Each entry point runs its function from
// camera_calls.h or transfer_calls.h under the mutex.
//
// A poll (see camlib's camera_library.h) reads the control channel and takes the shots that are
// due before it delivers.
//
// Commands already in the control file at initialise are applied then, before anything is listed,
// and announce nothing: a file holding "unplug" starts the camera unplugged, and a "shoot" waits
// for a session. Re-initialising reads the file from its start again, replaying everything in it.
#pragma once

#include "camera_library.h"
#include "sim_state.h"

namespace simcam {

class Simulator : public camlib::CameraLibrary {
 public:
  EdsError initialize() override;
  EdsError terminate() override;
  EdsError get_event() override;
  EdsError get_camera_list(EdsCameraListRef* out_list) override;
  EdsError get_child_count(EdsBaseRef ref, uint32_t* out_count) override;
  EdsError get_child_at_index(EdsBaseRef ref, int32_t index, EdsBaseRef* out_ref) override;
  EdsError open_session(EdsCameraRef camera) override;
  EdsError close_session(EdsCameraRef camera) override;
  uint32_t release(EdsBaseRef ref) override;
  EdsError send_command(EdsCameraRef camera, uint32_t command, int32_t param) override;
  EdsError set_property_data(EdsBaseRef ref, uint32_t property, int32_t param, uint32_t size,
                             const void* data) override;
  EdsError set_capacity(EdsCameraRef camera, EdsCapacity capacity) override;
  EdsError set_camera_added_handler(EdsCameraAddedHandler handler, void* context) override;
  EdsError set_object_event_handler(EdsCameraRef camera, uint32_t event,
                                    EdsObjectEventHandler handler, void* context) override;
  EdsError set_property_event_handler(EdsCameraRef camera, uint32_t event,
                                      EdsPropertyEventHandler handler, void* context) override;
  EdsError set_state_event_handler(EdsCameraRef camera, uint32_t event,
                                   EdsStateEventHandler handler, void* context) override;
  EdsError get_directory_item_info(EdsDirectoryItemRef item,
                                   EdsDirectoryItemInfo* out_info) override;
  EdsError create_file_stream(const char* path, uint32_t disposition, uint32_t access,
                              EdsStreamRef* out_stream) override;
  EdsError download(EdsDirectoryItemRef item, uint64_t size, EdsStreamRef stream) override;
  EdsError download_complete(EdsDirectoryItemRef item) override;
  EdsError download_cancel(EdsDirectoryItemRef item) override;

  void detach_run_loop() override { state_.run_loop.detach(); }
  // Detaches from the run loop and reports what was left behind.
  void unload() override;

 protected:
  bool collect_events() override;
  std::optional<camlib::EventQueue::Delivery> next_delivery(uint64_t last_seq) override;
  uint64_t last_event_seq() const override { return state_.events.last_seq(); }

 private:
  // The run loop's poll, noted in the call log when it delivered something.
  static int perform_from_run_loop(void* context);

  template <class Fn, class... Args>
  auto call(Fn fn, Args... args) {
    std::lock_guard lock(mutex_);
    return fn(state_, args...);
  }

  SimState state_;
};

}  // namespace simcam
