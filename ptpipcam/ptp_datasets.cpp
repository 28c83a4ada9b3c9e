#include "ptp_datasets.h"

#include "byte_writer.h"
#include "ptp_codes.h"

namespace ptpipcam {
namespace {

constexpr uint8_t kReadOnly = 0x00;
constexpr uint8_t kRangeForm = 0x01;

}  // namespace

std::vector<uint8_t> encode_device_info(const DeviceInfo& info) {
  ByteWriter w;
  w.u16(info.standard_version);
  w.u32(info.vendor_extension_id);
  w.u16(info.vendor_extension_version);
  w.ptp_string(info.vendor_extension_desc);
  w.u16(info.functional_mode);
  w.u16_array(info.operations);
  w.u16_array(info.events);
  w.u16_array(info.properties);
  w.u16_array(info.capture_formats);
  w.u16_array(info.image_formats);
  w.ptp_string(info.manufacturer);
  w.ptp_string(info.model);
  w.ptp_string(info.device_version);
  w.ptp_string(info.serial_number);
  return w.take();
}

std::vector<uint8_t> encode_storage_info(const StorageInfo& info) {
  ByteWriter w;
  w.u16(info.storage_type);
  w.u16(info.filesystem_type);
  w.u16(info.access_capability);
  w.u64(info.max_capacity);
  w.u64(info.free_bytes);
  w.u32(info.free_images);
  w.ptp_string(info.description);
  w.ptp_string(info.volume_label);
  return w.take();
}

std::vector<uint8_t> encode_object_info(const ObjectInfo& info) {
  ByteWriter w;
  w.u32(info.storage_id);
  w.u16(info.format);
  w.u16(info.protection);
  w.u32(info.compressed_size);
  w.u16(info.thumb_format);
  w.u32(info.thumb_size);
  w.u32(info.thumb_width);
  w.u32(info.thumb_height);
  w.u32(info.width);
  w.u32(info.height);
  w.u32(info.bit_depth);
  w.u32(info.parent);
  w.u16(info.association_type);
  w.u32(info.association_desc);
  w.u32(info.sequence_number);
  w.ptp_string(info.filename);
  w.ptp_string(info.capture_date);
  w.ptp_string(info.modification_date);
  w.ptp_string(info.keywords);
  return w.take();
}

std::vector<uint8_t> encode_property_desc(const Uint8RangeProperty& property) {
  ByteWriter w;
  w.u16(property.code);
  w.u16(data_type::kUint8);
  w.u8(kReadOnly);
  w.u8(property.factory_default);
  w.u8(property.current);
  w.u8(kRangeForm);
  w.u8(property.minimum);
  w.u8(property.maximum);
  w.u8(property.step);
  return w.take();
}

}  // namespace ptpipcam
