// The objects behind the refs the bridge hands out (see camlib's object_table.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "camera_handlers.h"
#include "file_descriptor.h"
#include "gphoto_api.h"
#include "gphoto_session.h"
#include "object_table.h"

namespace gphoto {

struct CameraListObject {
  std::vector<CameraEntry> cameras;
};

struct CameraObject {
  CameraEntry entry;
  camlib::CameraHandlers handlers;
};

struct VolumeObject {
  uint32_t index = 0;
};

struct DirectoryItemObject {
  NewFile file;
  uint64_t generation = 0;  // the session that announced it
  bool delivered = false;   // handed to an object handler
  bool flushed = false;     // downloaded whole and on the disk
};

struct FileStreamObject {
  std::string path;
  std::shared_ptr<vantrel::FileDescriptor> fd;
};

using BridgeData = std::variant<CameraListObject, CameraObject, VolumeObject, DirectoryItemObject,
                                FileStreamObject>;
using BridgeObjects = camlib::ObjectTable<BridgeData>;

}  // namespace gphoto
