// Maps the opaque refs handed to callers to objects. A ref is a number, never a pointer the
// library dereferences, so stale, foreign or released refs are recognised and rejected instead of
// crashing. Refs are never reused within a load, and their numbering starts somewhere different at
// every load, so a ref kept across dlclose and dlopen is unknown rather than someone else's.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "sim_objects.h"

namespace simcam {

class ObjectTable {
 public:
  ObjectTable();

  // Adds an object with one reference.
  EdsBaseRef add(ObjectData data);
  SimObject* find(EdsBaseRef ref);

  template <class T>
  T* find_as(EdsBaseRef ref) {
    SimObject* object = find(ref);
    return object != nullptr ? std::get_if<T>(&object->data) : nullptr;
  }

  template <class T>
  std::vector<EdsBaseRef> refs_of() const {
    std::vector<EdsBaseRef> refs;
    for (const auto& [key, object] : objects_) {
      if (std::holds_alternative<T>(object.data)) refs.push_back(to_ref(key));
    }
    return refs;
  }

  // Removes the object whatever its count, and gives it back so the caller can tidy up after it.
  std::optional<SimObject> remove(EdsBaseRef ref);
  const std::map<uintptr_t, SimObject>& all() const { return objects_; }
  void clear() { objects_.clear(); }

 private:
  static EdsBaseRef to_ref(uintptr_t key) { return reinterpret_cast<EdsBaseRef>(key); }

  std::map<uintptr_t, SimObject> objects_;
  uintptr_t next_key_;
};

}  // namespace simcam
