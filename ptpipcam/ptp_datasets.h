// The PTP datasets the camera sends in data phases: DeviceInfo, StorageInfo, ObjectInfo and a
// device property's description, in the layouts of ISO 15740.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ptpipcam {

struct DeviceInfo {
  uint16_t standard_version = 100;  // PTP 1.00
  uint32_t vendor_extension_id = 0;
  uint16_t vendor_extension_version = 0;
  std::string vendor_extension_desc;
  uint16_t functional_mode = 0;
  std::vector<uint16_t> operations;
  std::vector<uint16_t> events;
  std::vector<uint16_t> properties;
  std::vector<uint16_t> capture_formats;
  std::vector<uint16_t> image_formats;
  std::string manufacturer;
  std::string model;
  std::string device_version;
  std::string serial_number;
};

struct StorageInfo {
  uint16_t storage_type = 0;
  uint16_t filesystem_type = 0;
  uint16_t access_capability = 0;
  uint64_t max_capacity = 0;
  uint64_t free_bytes = 0;
  uint32_t free_images = 0;
  std::string description;
  std::string volume_label;
};

struct ObjectInfo {
  uint32_t storage_id = 0;
  uint16_t format = 0;
  uint16_t protection = 0;
  uint32_t compressed_size = 0;  // 0xFFFFFFFF for 4 GiB and over
  uint16_t thumb_format = 0;
  uint32_t thumb_size = 0;
  uint32_t thumb_width = 0;
  uint32_t thumb_height = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bit_depth = 0;
  uint32_t parent = 0;  // 0 in the root
  uint16_t association_type = 0;
  uint32_t association_desc = 0;
  uint32_t sequence_number = 0;
  std::string filename;
  std::string capture_date;  // "YYYYMMDDThhmmss"
  std::string modification_date;
  std::string keywords;
};

// A read-only UINT8 property whose values form a range, like the battery level.
struct Uint8RangeProperty {
  uint16_t code = 0;
  uint8_t factory_default = 0;
  uint8_t current = 0;
  uint8_t minimum = 0;
  uint8_t maximum = 0;
  uint8_t step = 1;
};

std::vector<uint8_t> encode_device_info(const DeviceInfo& info);
std::vector<uint8_t> encode_storage_info(const StorageInfo& info);
std::vector<uint8_t> encode_object_info(const ObjectInfo& info);
std::vector<uint8_t> encode_property_desc(const Uint8RangeProperty& property);

}  // namespace ptpipcam
