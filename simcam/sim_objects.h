// The objects behind the refs the library hands out. Like the vendor's, they are reference
// counted; see object_table.h for how refs map to them.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "edsdk_api.h"

namespace simcam {

// A registered event handler. event is the one event it wants, or the "all" mask of its family
// (0x100, 0x200, 0x300).
template <class Fn>
struct HandlerSlot {
  Fn fn = nullptr;
  void* context = nullptr;
  uint32_t event = 0;

  bool accepts(uint32_t delivered) const {
    return fn != nullptr && (event == delivered || event == (delivered & 0xFFFFFF00u));
  }
};

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
  HandlerSlot<EdsObjectEventHandler> object_handler;
  HandlerSlot<EdsPropertyEventHandler> property_handler;  // kept; no property event is raised
  HandlerSlot<EdsStateEventHandler> state_handler;
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

struct SimObject {
  uint32_t refs = 1;
  ObjectData data;
};

// The names used in the call log and the check report, in ObjectData's order.
inline const char* kind_name(const ObjectData& data) {
  static constexpr const char* kNames[] = {"camera-list", "camera", "volume", "directory-item",
                                           "stream"};
  return kNames[data.index()];
}

}  // namespace simcam
