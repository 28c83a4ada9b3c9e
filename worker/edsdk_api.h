// The camera vendor's C interface, as far as this program uses it. The library is loaded at run
// time (dlopen) and never linked; these declarations give the entry points' types and names.
#pragma once

#include <cstdint>

extern "C" {

using EdsError = uint32_t;
using EdsBool = int32_t;

using EdsBaseRef = struct __EdsObject*;
using EdsCameraListRef = EdsBaseRef;
using EdsCameraRef = EdsBaseRef;
using EdsDirectoryItemRef = EdsBaseRef;
using EdsStreamRef = EdsBaseRef;

struct EdsDirectoryItemInfo {
  uint64_t size;
  EdsBool isFolder;
  uint32_t groupID;
  uint32_t option;
  char szFileName[256];
  uint32_t format;
  uint32_t dateTime;
};

struct EdsCapacity {
  int32_t numberOfFreeClusters;
  int32_t bytesPerSector;
  EdsBool reset;
};

using EdsCameraAddedHandler = EdsError (*)(void* context);
using EdsObjectEventHandler = EdsError (*)(uint32_t event, EdsBaseRef ref, void* context);
using EdsPropertyEventHandler = EdsError (*)(uint32_t event, uint32_t propertyID, uint32_t param,
                                             void* context);
using EdsStateEventHandler = EdsError (*)(uint32_t event, uint32_t param, void* context);

// Entry point signatures.
using EdsInitializeSDKFn = EdsError (*)();
using EdsTerminateSDKFn = EdsError (*)();
using EdsGetEventFn = EdsError (*)();
using EdsGetCameraListFn = EdsError (*)(EdsCameraListRef* outList);
using EdsGetChildCountFn = EdsError (*)(EdsBaseRef ref, uint32_t* outCount);
using EdsGetChildAtIndexFn = EdsError (*)(EdsBaseRef ref, int32_t index, EdsBaseRef* outRef);
using EdsOpenSessionFn = EdsError (*)(EdsCameraRef camera);
using EdsCloseSessionFn = EdsError (*)(EdsCameraRef camera);
using EdsReleaseFn = uint32_t (*)(EdsBaseRef ref);
using EdsSendCommandFn = EdsError (*)(EdsCameraRef camera, uint32_t command, int32_t param);
using EdsSetPropertyDataFn = EdsError (*)(EdsBaseRef ref, uint32_t propertyID, int32_t param,
                                          uint32_t size, const void* data);
using EdsSetCapacityFn = EdsError (*)(EdsCameraRef camera, EdsCapacity capacity);
using EdsSetCameraAddedHandlerFn = EdsError (*)(EdsCameraAddedHandler handler, void* context);
using EdsSetObjectEventHandlerFn = EdsError (*)(EdsCameraRef camera, uint32_t event,
                                                EdsObjectEventHandler handler, void* context);
using EdsSetPropertyEventHandlerFn = EdsError (*)(EdsCameraRef camera, uint32_t event,
                                                  EdsPropertyEventHandler handler, void* context);
using EdsSetCameraStateEventHandlerFn = EdsError (*)(EdsCameraRef camera, uint32_t event,
                                                     EdsStateEventHandler handler, void* context);
using EdsGetDirectoryItemInfoFn = EdsError (*)(EdsDirectoryItemRef item,
                                               EdsDirectoryItemInfo* outInfo);
using EdsCreateFileStreamFn = EdsError (*)(const char* path, uint32_t disposition, uint32_t access,
                                           EdsStreamRef* outStream);
using EdsDownloadFn = EdsError (*)(EdsDirectoryItemRef item, uint64_t size, EdsStreamRef stream);
using EdsDownloadCompleteFn = EdsError (*)(EdsDirectoryItemRef item);
using EdsDownloadCancelFn = EdsError (*)(EdsDirectoryItemRef item);

}  // extern "C"

// One slot per vendor entry point, in binding order.
struct EdsFunctionTable {
  EdsInitializeSDKFn EdsInitializeSDK = nullptr;
  EdsTerminateSDKFn EdsTerminateSDK = nullptr;
  EdsGetEventFn EdsGetEvent = nullptr;
  EdsGetCameraListFn EdsGetCameraList = nullptr;
  EdsGetChildCountFn EdsGetChildCount = nullptr;
  EdsGetChildAtIndexFn EdsGetChildAtIndex = nullptr;
  EdsOpenSessionFn EdsOpenSession = nullptr;
  EdsCloseSessionFn EdsCloseSession = nullptr;
  EdsReleaseFn EdsRelease = nullptr;
  EdsSendCommandFn EdsSendCommand = nullptr;
  EdsSetPropertyDataFn EdsSetPropertyData = nullptr;
  EdsSetCapacityFn EdsSetCapacity = nullptr;
  EdsSetCameraAddedHandlerFn EdsSetCameraAddedHandler = nullptr;
  EdsSetObjectEventHandlerFn EdsSetObjectEventHandler = nullptr;
  EdsSetPropertyEventHandlerFn EdsSetPropertyEventHandler = nullptr;
  EdsSetCameraStateEventHandlerFn EdsSetCameraStateEventHandler = nullptr;
  EdsGetDirectoryItemInfoFn EdsGetDirectoryItemInfo = nullptr;
  EdsCreateFileStreamFn EdsCreateFileStream = nullptr;
  EdsDownloadFn EdsDownload = nullptr;
  EdsDownloadCompleteFn EdsDownloadComplete = nullptr;
  EdsDownloadCancelFn EdsDownloadCancel = nullptr;
};

namespace eds {

// Result codes this program tests by value.
constexpr EdsError kOk = 0x00000000;
constexpr EdsError kDeviceBusy = 0x000000C0;
constexpr EdsError kDeviceNotFound = 0x00000080;  // also used when the camera list is empty
// Codes of our choosing for the simulated camera and the probe.
constexpr EdsError kInternalError = 0x00000002;
constexpr EdsError kInvalidHandle = 0x00000061;
constexpr EdsError kInvalidParameter = 0x00000060;
constexpr EdsError kNotInitialized = 0x00000007;
constexpr EdsError kFileIoError = 0x00000020;
constexpr EdsError kCommDisconnected = 0x000000C1;

// Event masks and events.
constexpr uint32_t kObjectEventAll = 0x00000200;
constexpr uint32_t kObjectEventDirItemRequestTransfer = 0x00000208;
constexpr uint32_t kPropertyEventAll = 0x00000100;
constexpr uint32_t kStateEventAll = 0x00000300;
constexpr uint32_t kStateEventShutdown = 0x00000301;
constexpr uint32_t kStateEventWillSoonShutDown = 0x00000303;

// Camera commands and parameters.
constexpr uint32_t kCameraCommandExtendShutDownTimer = 0x00000001;
constexpr uint32_t kCameraCommandPressShutterButton = 0x00000004;
constexpr int32_t kShutterButtonOff = 0x00000000;
constexpr int32_t kShutterButtonCompletely = 0x00000003;
constexpr int32_t kShutterButtonCompletelyNonAF = 0x00010003;

// The save-target property and its values.
constexpr uint32_t kPropSaveTo = 0x0000000B;
constexpr int32_t kSaveToCamera = 1;
constexpr int32_t kSaveToHost = 2;
constexpr int32_t kSaveToBoth = 3;

// File stream disposition and access.
constexpr uint32_t kFileCreateDispositionCreateAlways = 1;
constexpr uint32_t kAccessReadWrite = 2;

}  // namespace eds
