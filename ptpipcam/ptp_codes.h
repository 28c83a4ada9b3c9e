// The PTP (ISO 15740) and PTP/IP code values this camera speaks.
#pragma once

#include <cstdint>

namespace ptpipcam {

// PTP/IP packet types: the second 32-bit word of every packet.
namespace packet_type {
constexpr uint32_t kInitCommandRequest = 1;
constexpr uint32_t kInitCommandAck = 2;
constexpr uint32_t kInitEventRequest = 3;
constexpr uint32_t kInitEventAck = 4;
constexpr uint32_t kInitFail = 5;
constexpr uint32_t kOperationRequest = 6;
constexpr uint32_t kOperationResponse = 7;
constexpr uint32_t kEvent = 8;
constexpr uint32_t kStartData = 9;
constexpr uint32_t kData = 10;
constexpr uint32_t kCancel = 11;
constexpr uint32_t kEndData = 12;
constexpr uint32_t kProbeRequest = 13;
constexpr uint32_t kProbeResponse = 14;
}  // namespace packet_type

// Why an Init Fail packet turns a connection away.
namespace init_fail_reason {
constexpr uint32_t kRejectedInitiator = 1;
}  // namespace init_fail_reason

// The data phase an operation request announces.
namespace data_phase {
constexpr uint32_t kNoneOrIn = 1;  // no data, or data from the camera
constexpr uint32_t kOut = 2;       // the initiator sends data
}  // namespace data_phase

namespace op {
constexpr uint16_t kGetDeviceInfo = 0x1001;
constexpr uint16_t kOpenSession = 0x1002;
constexpr uint16_t kCloseSession = 0x1003;
constexpr uint16_t kGetStorageIds = 0x1004;
constexpr uint16_t kGetStorageInfo = 0x1005;
constexpr uint16_t kGetNumObjects = 0x1006;
constexpr uint16_t kGetObjectHandles = 0x1007;
constexpr uint16_t kGetObjectInfo = 0x1008;
constexpr uint16_t kGetObject = 0x1009;
constexpr uint16_t kGetThumb = 0x100A;
constexpr uint16_t kDeleteObject = 0x100B;
constexpr uint16_t kInitiateCapture = 0x100E;
constexpr uint16_t kGetDevicePropDesc = 0x1014;
constexpr uint16_t kGetDevicePropValue = 0x1015;
constexpr uint16_t kGetPartialObject = 0x101B;
}  // namespace op

namespace rc {
constexpr uint16_t kOk = 0x2001;
constexpr uint16_t kGeneralError = 0x2002;
constexpr uint16_t kSessionNotOpen = 0x2003;
constexpr uint16_t kOperationNotSupported = 0x2005;
constexpr uint16_t kInvalidStorageId = 0x2008;
constexpr uint16_t kInvalidObjectHandle = 0x2009;
constexpr uint16_t kDevicePropNotSupported = 0x200A;
constexpr uint16_t kNoThumbnailPresent = 0x2010;
constexpr uint16_t kInvalidParentObject = 0x201A;
constexpr uint16_t kInvalidParameter = 0x201D;
constexpr uint16_t kSessionAlreadyOpen = 0x201E;
}  // namespace rc

namespace event {
constexpr uint16_t kObjectAdded = 0x4002;
constexpr uint16_t kCaptureComplete = 0x400D;
}  // namespace event

namespace format {
constexpr uint16_t kAssociation = 0x3001;
constexpr uint16_t kExifJpeg = 0x3801;
constexpr uint16_t kCanonCr2 = 0xB103;
}  // namespace format

namespace property {
constexpr uint16_t kBatteryLevel = 0x5001;
}  // namespace property

namespace data_type {
constexpr uint16_t kUint8 = 0x0002;
}  // namespace data_type

// Handles and ids with a meaning of their own in operation parameters.
constexpr uint32_t kAllStorages = 0xFFFFFFFF;
constexpr uint32_t kRootParent = 0xFFFFFFFF;  // GetObjectHandles: objects in the root only
constexpr uint32_t kAnyParent = 0x00000000;   // GetObjectHandles: objects at any depth
constexpr uint32_t kAllObjects = 0xFFFFFFFF;  // DeleteObject: every object

}  // namespace ptpipcam
