// The vendor's entry points on libgphoto2. The worker calls every entry point, and pumps the
// events, on its main thread, which keeps libgphoto2 (not thread-safe) on one thread.
//
// - Listing: see camera_listing.h; a camera ref stands for one listed camera.
// - EdsOpenSession: gp_camera_init (see gphoto_session.h for the busy camera); one session at a
//   time. EdsCloseSession and the last release of the camera ref end it.
// - EdsSetPropertyData(SaveTo): the camera's capture target for the session (1 card, 2 host,
//   3 both); EdsSetCapacity is accepted and changes nothing.
// - Events: a poll (the run-loop source or EdsGetEvent) drains gp_camera_wait_for_event; each new
//   file becomes the object event 0x208 with a directory item for it; a camera that went away
//   becomes the state event 0x301 on the session's camera ref, and its undelivered files are
//   dropped.
// - EdsGetChildCount(camera): the storages gp_camera_get_storageinfo reports (the card check).
// - EdsCreateFileStream opens the file; EdsDownload writes the camera's file into it
//   (gp_camera_file_get), checks its size and flushes it; EdsDownloadComplete then deletes the
//   file from the camera in computer-only mode.
// - EdsSendCommand: a full shutter press (with or without autofocus) is gp_camera_trigger_capture;
//   other shutter states and the shut-down timer are accepted and change nothing.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "automounter.h"
#include "bridge_objects.h"
#include "camera_library.h"
#include "event_receivers.h"
#include "gphoto_api.h"
#include "gphoto_session.h"
#include "protocol_log.h"
#include "run_loop_source.h"

namespace gphoto {

class GphotoLibrary : public camlib::CameraLibrary, private camlib::EventReceivers {
 public:
  struct Parts {
    std::unique_ptr<GphotoApi> api;
    std::unique_ptr<Automounter> automounter;
    LogSink log;
    SettingsFile settings;
  };
  explicit GphotoLibrary(Parts parts);

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

  void detach_run_loop() override { run_loop_.detach(); }
  void unload() override;

 protected:
  bool collect_events() override;
  std::optional<camlib::EventQueue::Delivery> next_delivery(uint64_t last_seq) override;
  uint64_t last_event_seq() const override { return events_.last_seq(); }

 private:
  const camlib::CameraHandlers* handlers_of(EdsBaseRef camera) override;
  bool item_exists(EdsBaseRef item) override;
  void discard(EdsBaseRef item) override;
  void hand_over(EdsBaseRef item, uint32_t event) override;
  void delivering_camera_added() override {}
  void delivering_state(uint32_t) override {}

  // kOk when camera is the ref whose session is open; the code to return otherwise.
  EdsError session_check(EdsBaseRef camera);
  // Ends the session and forgets what the camera had queued.
  void end_session();
  template <class Fn>
  EdsError set_handler(EdsCameraRef camera, uint32_t family,
                       camlib::HandlerSlot<Fn> camlib::CameraHandlers::*slot, uint32_t event,
                       Fn handler, void* context);

  std::unique_ptr<GphotoApi> api_;
  std::unique_ptr<Automounter> automounter_;
  LogSink log_;
  GphotoSession session_;
  bool initialized_ = false;
  std::string port_setting_;
  BridgeObjects objects_;
  camlib::EventQueue events_;
  EdsBaseRef session_camera_ = nullptr;
  EdsCameraAddedHandler added_handler_ = nullptr;
  void* added_context_ = nullptr;
  camlib::RunLoopSource run_loop_;
};

}  // namespace gphoto
