// Maps the opaque refs handed to callers to reference-counted objects. A ref is a number, never a
// pointer the library dereferences, so stale, foreign or released refs are recognised and rejected
// instead of crashing. Refs are never reused within a load, and their numbering starts somewhere
// different at every load, so a ref kept across dlclose and dlopen is unknown rather than someone
// else's. Data is a std::variant of the library's object kinds.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <variant>
#include <vector>

#include "edsdk_api.h"

namespace camlib {

// Where a load's ref numbering starts, and the step between refs.
uintptr_t first_ref_key();
constexpr uintptr_t kRefKeyStep = 0x10;

template <class Data>
struct RefCounted {
  uint32_t refs = 1;
  Data data;
};

template <class Data>
class ObjectTable {
 public:
  using Object = RefCounted<Data>;

  // Adds an object with one reference.
  EdsBaseRef add(Data data) {
    const uintptr_t key = next_key_;
    next_key_ += kRefKeyStep;
    objects_.emplace(key, Object{1, std::move(data)});
    return to_ref(key);
  }

  Object* find(EdsBaseRef ref) {
    const auto it = objects_.find(reinterpret_cast<uintptr_t>(ref));
    return it != objects_.end() ? &it->second : nullptr;
  }

  template <class T>
  T* find_as(EdsBaseRef ref) {
    Object* object = find(ref);
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

  // Drops one reference; the object goes when its last one does, and is given back so the caller
  // can tidy up after it. Nothing for an unknown ref.
  struct Released {
    uint32_t remaining = 0;
    std::optional<Object> removed;
  };
  std::optional<Released> release(EdsBaseRef ref) {
    Object* object = find(ref);
    if (object == nullptr) return std::nullopt;
    Released released{--object->refs, std::nullopt};
    if (released.remaining == 0) released.removed = remove(ref);
    return released;
  }

  // Removes the object whatever its count, and gives it back so the caller can tidy up after it.
  std::optional<Object> remove(EdsBaseRef ref) {
    const auto it = objects_.find(reinterpret_cast<uintptr_t>(ref));
    if (it == objects_.end()) return std::nullopt;
    Object object = std::move(it->second);
    objects_.erase(it);
    return object;
  }

  const std::map<uintptr_t, Object>& all() const { return objects_; }
  void clear() { objects_.clear(); }

 private:
  static EdsBaseRef to_ref(uintptr_t key) { return reinterpret_cast<EdsBaseRef>(key); }

  std::map<uintptr_t, Object> objects_;
  uintptr_t next_key_ = first_ref_key();
};

}  // namespace camlib
