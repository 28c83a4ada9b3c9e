// A camera library behind the vendor's C entry points (entry_points.cpp forwards each of them to
// the one instance, which lives from library load to unload). This base holds what every such
// library shares: the mutex that guards its state and the delivery of queued events to the
// handlers.
//
// Events reach handlers only while the caller pumps: inside EdsGetEvent, or when the worker's run
// loop polls the library's source. A poll first collects what the camera did, then delivers every
// event that was pending when it began; events raised by the handlers it calls wait for the next
// poll. Handlers may call back into the library, so the mutex is never held while one runs.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

#include "edsdk_api.h"
#include "event_queue.h"

namespace camlib {

class CameraLibrary {
 public:
  virtual ~CameraLibrary() = default;

  virtual EdsError initialize() = 0;
  virtual EdsError terminate() = 0;
  virtual EdsError get_event() = 0;
  virtual EdsError get_camera_list(EdsCameraListRef* out_list) = 0;
  virtual EdsError get_child_count(EdsBaseRef ref, uint32_t* out_count) = 0;
  virtual EdsError get_child_at_index(EdsBaseRef ref, int32_t index, EdsBaseRef* out_ref) = 0;
  virtual EdsError open_session(EdsCameraRef camera) = 0;
  virtual EdsError close_session(EdsCameraRef camera) = 0;
  virtual uint32_t release(EdsBaseRef ref) = 0;
  virtual EdsError send_command(EdsCameraRef camera, uint32_t command, int32_t param) = 0;
  virtual EdsError set_property_data(EdsBaseRef ref, uint32_t property, int32_t param,
                                     uint32_t size, const void* data) = 0;
  virtual EdsError set_capacity(EdsCameraRef camera, EdsCapacity capacity) = 0;
  virtual EdsError set_camera_added_handler(EdsCameraAddedHandler handler, void* context) = 0;
  virtual EdsError set_object_event_handler(EdsCameraRef camera, uint32_t event,
                                            EdsObjectEventHandler handler, void* context) = 0;
  virtual EdsError set_property_event_handler(EdsCameraRef camera, uint32_t event,
                                              EdsPropertyEventHandler handler, void* context) = 0;
  virtual EdsError set_state_event_handler(EdsCameraRef camera, uint32_t event,
                                           EdsStateEventHandler handler, void* context) = 0;
  virtual EdsError get_directory_item_info(EdsDirectoryItemRef item,
                                           EdsDirectoryItemInfo* out_info) = 0;
  virtual EdsError create_file_stream(const char* path, uint32_t disposition, uint32_t access,
                                      EdsStreamRef* out_stream) = 0;
  virtual EdsError download(EdsDirectoryItemRef item, uint64_t size, EdsStreamRef stream) = 0;
  virtual EdsError download_complete(EdsDirectoryItemRef item) = 0;
  virtual EdsError download_cancel(EdsDirectoryItemRef item) = 0;

  // Detaches from the worker's run loop (at process exit, see entry_points.cpp).
  virtual void detach_run_loop() = 0;
  // Library unload: detach, and tidy up after a caller that never terminated.
  virtual void unload() = 0;

  // One delivery step (see above). True when it delivered at least one event.
  bool poll();

 protected:
  // The run-loop source's callback; context is the library.
  static int perform(void* context);

  // Collects what the camera did into the queue. False when the library is not running, which
  // ends the poll. Called with the mutex held.
  virtual bool collect_events() = 0;
  // The next event raised up to last_seq that can be delivered now, handed over to its receiver;
  // nothing when there is none or the library stopped. Called with the mutex held.
  virtual std::optional<EventQueue::Delivery> next_delivery(uint64_t last_seq) = 0;
  // The queue's newest sequence number. Called with the mutex held.
  virtual uint64_t last_event_seq() const = 0;

  std::mutex mutex_;
};

// Made once at library load by entry_points.cpp; each library defines it.
CameraLibrary* make_camera_library();

}  // namespace camlib
