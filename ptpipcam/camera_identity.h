// What the camera says about itself: its name and GUID in the PTP/IP handshake, and the
// DeviceInfo, StorageInfo, ObjectInfo and property datasets.
//
// It presents itself as a plain PTP camera (no vendor extension), so libgphoto2 drives it with its
// generic PTP code: InitiateCapture, ObjectAdded and CaptureComplete.
#pragma once

#include <cstdint>

#include "object_store.h"
#include "ptp_datasets.h"
#include "ptpip_messages.h"

namespace ptpipcam {

constexpr char kCameraName[] = "Vantrel PTP/IP Test Camera";
constexpr uint64_t kCardCapacity = 32ULL * 1024 * 1024 * 1024;
constexpr uint8_t kBatteryLevel = 100;

Guid camera_guid();
// The operations it answers, the events it sends, and the formats it makes.
DeviceInfo device_info(bool raw);
StorageInfo storage_info(uint64_t used_bytes, uint64_t bytes_per_shot);
ObjectInfo object_info(const StoredObject& object);
Uint8RangeProperty battery_level();

}  // namespace ptpipcam
