// The card: one storage holding DCIM/1nnCANON folders (association objects) with the shots'
// files. Handles are never reused while the camera runs. Safe from several threads.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "shot_maker.h"

namespace ptpipcam {

struct StoredObject {
  uint32_t handle = 0;
  uint32_t parent = 0;  // 0 in the root
  std::string name;
  std::string date;              // "YYYYMMDDThhmmss"
  std::optional<ShotFile> file;  // nothing for a folder
  bool is_folder() const { return !file.has_value(); }
};

struct RemovedObject {
  StoredObject object;
  std::string path;
};

class ObjectStore {
 public:
  static constexpr uint32_t kStorageId = 0x00010001;
  // Files that keep their prepared bytes: the newest ones, which a client is about to download.
  // Older files are made again when read, which bounds the memory of a long run of large shots.
  static constexpr std::size_t kPreparedFiles = 8;

  // A freshly formatted card: DCIM/100CANON, empty.
  ObjectStore();

  // Puts `file` into its shot's folder, making DCIM and the folder again where they are gone.
  // The new objects' handles, folders first.
  std::vector<uint32_t> add(const ShotFile& file, const std::string& date);
  std::optional<StoredObject> find(uint32_t handle) const;
  // The handles under `parent` (kAnyParent: all, at any depth; kRootParent: the root; else a
  // folder's handle), of `format` (0: any). Nothing when `parent` is no folder.
  std::optional<std::vector<uint32_t>> handles(uint32_t parent, uint16_t format) const;
  // Removes the object and everything in it (kAllObjects: every object). What went, in order.
  std::vector<RemovedObject> remove(uint32_t handle);
  // "/DCIM/100CANON/IMG_0001.JPG"
  std::string path(uint32_t handle) const;
  uint64_t used_bytes() const;

 private:
  uint32_t folder(uint32_t parent, const std::string& name, std::vector<uint32_t>& created);
  bool is_inside(uint32_t handle, uint32_t ancestor) const;
  std::string path_locked(uint32_t handle) const;

  mutable std::mutex mutex_;
  std::map<uint32_t, StoredObject> objects_;
  uint32_t next_handle_ = 1;
  std::vector<uint32_t> prepared_;  // handles of files holding prepared bytes, oldest first
};

}  // namespace ptpipcam
