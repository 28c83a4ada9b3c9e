#include "object_table.h"

#include <chrono>

namespace simcam {
namespace {

constexpr uintptr_t kKeyStep = 0x10;

uintptr_t first_key() {
  const auto ticks =
      static_cast<uintptr_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  return 0x100000 + (ticks & 0xFFFF) * 0x1000;
}

}  // namespace

ObjectTable::ObjectTable() : next_key_(first_key()) {}

EdsBaseRef ObjectTable::add(ObjectData data) {
  const uintptr_t key = next_key_;
  next_key_ += kKeyStep;
  objects_.emplace(key, SimObject{1, std::move(data)});
  return to_ref(key);
}

SimObject* ObjectTable::find(EdsBaseRef ref) {
  const auto it = objects_.find(reinterpret_cast<uintptr_t>(ref));
  return it != objects_.end() ? &it->second : nullptr;
}

std::optional<SimObject> ObjectTable::remove(EdsBaseRef ref) {
  const auto it = objects_.find(reinterpret_cast<uintptr_t>(ref));
  if (it == objects_.end()) return std::nullopt;
  SimObject object = std::move(it->second);
  objects_.erase(it);
  return object;
}

}  // namespace simcam
