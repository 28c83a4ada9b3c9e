#include "event_queue.h"

namespace simcam {

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

void EventQueue::drop_for_camera(EdsBaseRef camera, bool objects_only, ObjectTable& objects) {
  std::erase_if(events_, [&](const Pending& pending) {
    if (pending.camera != camera || (objects_only && pending.kind != Kind::Object)) return false;
    if (pending.kind == Kind::Object) objects.remove(pending.item);
    return true;
  });
}

std::optional<EventQueue::Delivery> EventQueue::take_next(uint64_t last_seq, ObjectTable& objects,
                                                          EdsCameraAddedHandler added,
                                                          void* added_context, CallLog& log) {
  for (auto it = events_.begin(); it != events_.end() && it->seq <= last_seq;) {
    const Pending pending = *it;
    const auto* camera = objects.find_as<CameraObject>(pending.camera);
    if (pending.kind == Kind::CameraAdded) {
      it = events_.erase(it);
      if (added == nullptr) continue;
      log.write("deliver camera-added");
      return Delivery{.kind = Kind::CameraAdded, .added = added, .context = added_context};
    }
    if (pending.kind == Kind::State) {
      it = events_.erase(it);
      if (camera == nullptr || !camera->state_handler.accepts(pending.event)) continue;
      log.write("deliver state event=" + hex32(pending.event) + " param=" + hex32(0));
      return Delivery{.kind = Kind::State,
                      .state = camera->state_handler.fn,
                      .context = camera->state_handler.context,
                      .event = pending.event};
    }
    auto* item = objects.find_as<DirectoryItemObject>(pending.item);
    if (camera == nullptr || item == nullptr) {
      objects.remove(pending.item);
      it = events_.erase(it);
      continue;
    }
    if (!camera->object_handler.accepts(pending.event)) {
      ++it;
      continue;
    }
    item->delivered = true;
    it = events_.erase(it);
    log.write("deliver object event=" + hex32(pending.event) + " name=" + item->name);
    return Delivery{.kind = Kind::Object,
                    .object = camera->object_handler.fn,
                    .context = camera->object_handler.context,
                    .event = pending.event,
                    .item = pending.item};
  }
  return std::nullopt;
}

}  // namespace simcam
