#include "object_table.h"

#include <chrono>

namespace camlib {

uintptr_t first_ref_key() {
  const auto ticks =
      static_cast<uintptr_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  return 0x100000 + (ticks & 0xFFFF) * 0x1000;
}

}  // namespace camlib
