// The objects behind the refs the library hands out. Like the vendor's, they are reference
// counted; see camlib's object_table.h for how refs map to them.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "camera_handlers.h"
#include "edsdk_api.h"
#include "object_table.h"

namespace simcam {

struct CameraListObject {
  std::vector<int> devices;  // indexes of the cameras listed
};

// Handlers, session and save target belong to this object, not to the device: once the device
// disconnects the object goes stale (generation differs) and a later listing makes a new one.
struct CameraObject {
  int device = 0;
  uint64_t generation = 0;
  bool session_open = false;
  int32_t save_to = 0;  // 0: not set since the session opened, which means "card"
  std::chrono::steady_clock::time_point next_auto_shot{};
  camlib::CameraHandlers handlers;
};

struct VolumeObject {
  int device = 0;
};

struct DirectoryItemObject {
  int device = 0;
  uint64_t generation = 0;
  std::string name;
  uint32_t format = 0;
  uint64_t size = 0;
  uint32_t date_time = 0;
  std::shared_ptr<const std::vector<uint8_t>> content;
  bool delivered = false;  // handed to an object handler: from then on the receiver owns it
  bool finished = false;   // EdsDownloadComplete or EdsDownloadCancel was called
};

struct FileStreamObject {
  std::string path;
  std::shared_ptr<std::FILE> file;  // shared so a download in progress outlives a release
};

using ObjectData = std::variant<CameraListObject, CameraObject, VolumeObject, DirectoryItemObject,
                                FileStreamObject>;

using SimObject = camlib::RefCounted<ObjectData>;
using ObjectTable = camlib::ObjectTable<ObjectData>;

// The names used in the call log and the check report, in ObjectData's order.
inline const char* kind_name(const ObjectData& data) {
  static constexpr const char* kNames[] = {"camera-list", "camera", "volume", "directory-item",
                                           "stream"};
  return kNames[data.index()];
}

}  // namespace simcam
