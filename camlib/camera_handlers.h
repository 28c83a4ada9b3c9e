// The handlers registered on one camera ref. They belong to the ref, not to the device behind it:
// a ref that goes stale takes its handlers with it.
#pragma once

#include "edsdk_api.h"
#include "handler_slot.h"

namespace camlib {

struct CameraHandlers {
  HandlerSlot<EdsObjectEventHandler> object;
  HandlerSlot<EdsPropertyEventHandler> property;  // kept; no library raises property events
  HandlerSlot<EdsStateEventHandler> state;
};

}  // namespace camlib
