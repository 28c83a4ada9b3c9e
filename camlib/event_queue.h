// Events waiting for delivery, oldest first. Each carries a sequence number so that a poll can
// deliver what was pending when it began and leave events raised by its own handlers for later.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

#include "event_receivers.h"

namespace camlib {

class EventQueue {
 public:
  enum class Kind { CameraAdded, State, Object };

  // A handler call, made with the library's mutex released.
  struct Delivery {
    Kind kind = Kind::CameraAdded;
    EdsCameraAddedHandler added = nullptr;
    EdsStateEventHandler state = nullptr;
    EdsObjectEventHandler object = nullptr;
    void* context = nullptr;
    uint32_t event = 0;
    EdsBaseRef item = nullptr;

    void invoke() const;
  };

  // camera: the ref whose handler receives a State or Object event; item: an Object event's item,
  // which the queue holds until delivery.
  void push(Kind kind, EdsBaseRef camera, uint32_t event, EdsBaseRef item);
  uint64_t last_seq() const { return next_seq_ - 1; }
  // Drops what is queued for camera (only transfer requests when objects_only), discarding the
  // items.
  void drop_for_camera(EdsBaseRef camera, bool objects_only, EventReceivers& receivers);
  // Leaves the items to the caller, who clears the objects too.
  void clear() { events_.clear(); }
  bool empty() const { return events_.empty(); }

  // Takes the oldest event raised up to last_seq that can be delivered now. Events nobody can
  // receive are dropped on the way, except transfer requests, which wait for an object handler.
  std::optional<Delivery> take_next(uint64_t last_seq, EventReceivers& receivers,
                                    EdsCameraAddedHandler added, void* added_context);

 private:
  struct Pending {
    uint64_t seq;
    Kind kind;
    EdsBaseRef camera;
    uint32_t event;
    EdsBaseRef item;
  };

  std::deque<Pending> events_;
  uint64_t next_seq_ = 1;  // never reset, so a poll that outlives a terminate takes nothing new
};

}  // namespace camlib
