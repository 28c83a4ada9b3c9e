#include "object_store.h"

#include <cstdio>

#include "ptp_codes.h"

namespace ptpipcam {
namespace {

constexpr int kFilesPerFolder = 10000;

std::string folder_name(int shot_number) {
  char name[16];
  std::snprintf(name, sizeof name, "%03dCANON", 100 + shot_number / kFilesPerFolder);
  return name;
}

}  // namespace

ObjectStore::ObjectStore() {
  std::vector<uint32_t> created;
  folder(folder(0, "DCIM", created), folder_name(1), created);
}

uint32_t ObjectStore::folder(uint32_t parent, const std::string& name,
                             std::vector<uint32_t>& created) {
  for (const auto& [handle, object] : objects_) {
    if (object.parent == parent && object.name == name && object.is_folder()) return handle;
  }
  const uint32_t handle = next_handle_++;
  objects_[handle] = {handle, parent, name, {}, std::nullopt};
  created.push_back(handle);
  return handle;
}

std::vector<uint32_t> ObjectStore::add(const ShotFile& file, const std::string& date) {
  std::lock_guard lock(mutex_);
  std::vector<uint32_t> created;
  const uint32_t parent = folder(folder(0, "DCIM", created), folder_name(file.number), created);
  const uint32_t handle = next_handle_++;
  objects_[handle] = {handle, parent, file.name, date, file};
  created.push_back(handle);
  if (file.prepared) {
    prepared_.push_back(handle);
    if (prepared_.size() > kPreparedFiles) {
      if (const auto oldest = objects_.find(prepared_.front()); oldest != objects_.end()) {
        oldest->second.file->prepared.reset();
      }
      prepared_.erase(prepared_.begin());
    }
  }
  return created;
}

std::optional<StoredObject> ObjectStore::find(uint32_t handle) const {
  std::lock_guard lock(mutex_);
  const auto it = objects_.find(handle);
  if (it == objects_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::vector<uint32_t>> ObjectStore::handles(uint32_t parent, uint16_t format) const {
  std::lock_guard lock(mutex_);
  const uint32_t wanted_parent = parent == kRootParent ? 0 : parent;
  if (parent != kAnyParent && parent != kRootParent) {
    const auto it = objects_.find(parent);
    if (it == objects_.end() || !it->second.is_folder()) return std::nullopt;
  }
  std::vector<uint32_t> found;
  for (const auto& [handle, object] : objects_) {
    if (parent != kAnyParent && object.parent != wanted_parent) continue;
    const uint16_t object_format = object.is_folder() ? format::kAssociation : object.file->format;
    if (format != 0 && object_format != format) continue;
    found.push_back(handle);
  }
  return found;
}

bool ObjectStore::is_inside(uint32_t handle, uint32_t ancestor) const {
  while (handle != 0) {
    if (handle == ancestor) return true;
    const auto it = objects_.find(handle);
    if (it == objects_.end()) return false;
    handle = it->second.parent;
  }
  return false;
}

std::vector<RemovedObject> ObjectStore::remove(uint32_t handle) {
  std::lock_guard lock(mutex_);
  // All are found before any goes: an object's ancestry must still be there to be walked.
  std::vector<RemovedObject> removed;
  for (const auto& [candidate, object] : objects_) {
    if (handle == kAllObjects || is_inside(candidate, handle)) {
      removed.push_back({object, path_locked(candidate)});
    }
  }
  for (const RemovedObject& gone : removed) objects_.erase(gone.object.handle);
  return removed;
}

std::string ObjectStore::path(uint32_t handle) const {
  std::lock_guard lock(mutex_);
  return path_locked(handle);
}

std::string ObjectStore::path_locked(uint32_t handle) const {
  std::string path;
  for (auto it = objects_.find(handle); it != objects_.end();
       it = objects_.find(it->second.parent)) {
    path = "/" + it->second.name + path;
  }
  return path;
}

uint64_t ObjectStore::used_bytes() const {
  std::lock_guard lock(mutex_);
  uint64_t used = 0;
  for (const auto& [handle, object] : objects_) {
    if (!object.is_folder()) used += object.file->size;
  }
  return used;
}

}  // namespace ptpipcam
