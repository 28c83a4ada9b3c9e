#include "camera_identity.h"

#include <algorithm>

#include "ptp_codes.h"
#include "shot_picture.h"

namespace ptpipcam {
namespace {

constexpr uint16_t kRemovableRam = 0x0004;
constexpr uint16_t kDcfFilesystem = 0x0003;
constexpr uint16_t kReadWrite = 0x0000;
constexpr uint16_t kGenericFolder = 0x0001;
constexpr uint32_t kColourBitDepth = 24;

}  // namespace

Guid camera_guid() {
  return {0x56, 0x54, 0x52, 0x4C, 0x50, 0x54, 0x50, 0x49,
          0x50, 0x43, 0x41, 0x4D, 0x00, 0x00, 0x00, 0x01};
}

DeviceInfo device_info(bool raw) {
  DeviceInfo info;
  info.operations = {op::kGetDeviceInfo,     op::kOpenSession,        op::kCloseSession,
                     op::kGetStorageIds,     op::kGetStorageInfo,     op::kGetNumObjects,
                     op::kGetObjectHandles,  op::kGetObjectInfo,      op::kGetObject,
                     op::kGetThumb,          op::kDeleteObject,       op::kInitiateCapture,
                     op::kGetDevicePropDesc, op::kGetDevicePropValue, op::kGetPartialObject};
  info.events = {event::kObjectAdded, event::kCaptureComplete};
  info.properties = {property::kBatteryLevel};
  info.capture_formats = {format::kExifJpeg};
  info.image_formats = {format::kAssociation, format::kExifJpeg};
  if (raw) {
    info.capture_formats.push_back(format::kCanonCr2);
    info.image_formats.push_back(format::kCanonCr2);
  }
  info.manufacturer = "Vantrel";
  info.model = "PTP/IP Test Camera";
  info.device_version = "1.0";
  info.serial_number = "VT0000000001";
  return info;
}

StorageInfo storage_info(uint64_t used_bytes, uint64_t bytes_per_shot) {
  StorageInfo info;
  info.storage_type = kRemovableRam;
  info.filesystem_type = kDcfFilesystem;
  info.access_capability = kReadWrite;
  info.max_capacity = kCardCapacity;
  info.free_bytes = kCardCapacity - std::min(used_bytes, kCardCapacity);
  info.free_images = static_cast<uint32_t>(info.free_bytes / std::max<uint64_t>(bytes_per_shot, 1));
  info.description = "SD";
  info.volume_label = "VANTREL";
  return info;
}

ObjectInfo object_info(const StoredObject& object) {
  ObjectInfo info;
  info.storage_id = ObjectStore::kStorageId;
  info.parent = object.parent;
  info.filename = object.name;
  info.capture_date = object.date;
  info.modification_date = object.date;
  if (object.is_folder()) {
    info.format = format::kAssociation;
    info.association_type = kGenericFolder;
    return info;
  }
  const ShotFile& file = *object.file;
  info.format = file.format;
  info.compressed_size = static_cast<uint32_t>(std::min<uint64_t>(file.size, 0xFFFFFFFF));
  info.thumb_format = format::kExifJpeg;
  info.thumb_size = static_cast<uint32_t>(file.picture->size());
  info.thumb_width = simcam::kPictureWidth;
  info.thumb_height = simcam::kPictureHeight;
  info.width = simcam::kPictureWidth;
  info.height = simcam::kPictureHeight;
  info.bit_depth = kColourBitDepth;
  info.sequence_number = static_cast<uint32_t>(file.number);
  return info;
}

Uint8RangeProperty battery_level() {
  return {property::kBatteryLevel, kBatteryLevel, kBatteryLevel, 0, 100, 1};
}

}  // namespace ptpipcam
