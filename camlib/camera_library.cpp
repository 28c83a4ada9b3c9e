#include "camera_library.h"

namespace camlib {

int CameraLibrary::perform(void* context) {
  return static_cast<CameraLibrary*>(context)->poll() ? 1 : 0;
}

bool CameraLibrary::poll() {
  uint64_t last_seq = 0;
  {
    std::lock_guard lock(mutex_);
    if (!collect_events()) return false;
    last_seq = last_event_seq();
  }
  bool delivered = false;
  for (;;) {
    std::optional<EventQueue::Delivery> delivery;
    {
      std::lock_guard lock(mutex_);
      delivery = next_delivery(last_seq);
    }
    if (!delivery) break;
    delivery->invoke();
    delivered = true;
  }
  return delivered;
}

}  // namespace camlib
