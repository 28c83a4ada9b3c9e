// A registered event handler. event is the one event it wants, or the "all" mask of its family
// (0x100, 0x200, 0x300).
#pragma once

#include <cstdint>

namespace camlib {

template <class Fn>
struct HandlerSlot {
  Fn fn = nullptr;
  void* context = nullptr;
  uint32_t event = 0;

  bool accepts(uint32_t delivered) const {
    return fn != nullptr && (event == delivered || event == (delivered & 0xFFFFFF00u));
  }

  // Registers (or with a null handler, clears) the slot. False, and nothing changed, when event is
  // neither the family's "all" mask nor one event of it.
  bool assign(uint32_t family, uint32_t wanted, Fn handler, void* handler_context) {
    if ((wanted & 0xFFFFFF00u) != family) return false;
    fn = handler;
    context = handler_context;
    event = wanted;
    return true;
  }
};

}  // namespace camlib
