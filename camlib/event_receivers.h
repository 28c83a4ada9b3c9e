// What the event queue asks of the library that owns it: who receives an event, and what becomes
// of the items that object events carry. Called with the library's mutex held.
#pragma once

#include "camera_handlers.h"
#include "edsdk_api.h"

namespace camlib {

class EventReceivers {
 public:
  virtual ~EventReceivers() = default;

  // The handlers registered on camera, or nullptr when the ref no longer names a camera.
  virtual const CameraHandlers* handlers_of(EdsBaseRef camera) = 0;
  virtual bool item_exists(EdsBaseRef item) = 0;
  // An item whose event will never be delivered: the library frees it.
  virtual void discard(EdsBaseRef item) = 0;
  // An item about to be handed to an object handler: from then on the receiver owns it.
  virtual void hand_over(EdsBaseRef item, uint32_t event) = 0;
  // Events about to be delivered (for a library's call log).
  virtual void delivering_camera_added() = 0;
  virtual void delivering_state(uint32_t event) = 0;
};

}  // namespace camlib
