#include "event_queue.h"

namespace camlib {

void EventQueue::Delivery::invoke() const {
  switch (kind) {
    case Kind::CameraAdded:
      added(context);
      break;
    case Kind::State:
      state(event, 0, context);
      break;
    case Kind::Object:
      object(event, item, context);
      break;
  }
}

void EventQueue::push(Kind kind, EdsBaseRef camera, uint32_t event, EdsBaseRef item) {
  events_.push_back(Pending{next_seq_++, kind, camera, event, item});
}

void EventQueue::drop_for_camera(EdsBaseRef camera, bool objects_only, EventReceivers& receivers) {
  std::erase_if(events_, [&](const Pending& pending) {
    if (pending.camera != camera || (objects_only && pending.kind != Kind::Object)) return false;
    if (pending.kind == Kind::Object) receivers.discard(pending.item);
    return true;
  });
}

std::optional<EventQueue::Delivery> EventQueue::take_next(uint64_t last_seq,
                                                          EventReceivers& receivers,
                                                          EdsCameraAddedHandler added,
                                                          void* added_context) {
  for (auto it = events_.begin(); it != events_.end() && it->seq <= last_seq;) {
    const Pending pending = *it;
    const CameraHandlers* handlers =
        pending.kind == Kind::CameraAdded ? nullptr : receivers.handlers_of(pending.camera);
    if (pending.kind == Kind::CameraAdded) {
      it = events_.erase(it);
      if (added == nullptr) continue;
      receivers.delivering_camera_added();
      return Delivery{.kind = Kind::CameraAdded, .added = added, .context = added_context};
    }
    if (pending.kind == Kind::State) {
      it = events_.erase(it);
      if (handlers == nullptr || !handlers->state.accepts(pending.event)) continue;
      receivers.delivering_state(pending.event);
      return Delivery{.kind = Kind::State,
                      .state = handlers->state.fn,
                      .context = handlers->state.context,
                      .event = pending.event};
    }
    if (handlers == nullptr || !receivers.item_exists(pending.item)) {
      receivers.discard(pending.item);
      it = events_.erase(it);
      continue;
    }
    if (!handlers->object.accepts(pending.event)) {
      ++it;
      continue;
    }
    it = events_.erase(it);
    receivers.hand_over(pending.item, pending.event);
    return Delivery{.kind = Kind::Object,
                    .object = handlers->object.fn,
                    .context = handlers->object.context,
                    .event = pending.event,
                    .item = pending.item};
  }
  return std::nullopt;
}

}  // namespace camlib
