// The simulated camera library loaded the way the worker loads it (dlopen, then every entry
// point bound by name), unloaded again on destruction.
#pragma once

#include "edsdk_api.h"

class SimLibrary {
 public:
  SimLibrary();
  ~SimLibrary();
  SimLibrary(const SimLibrary&) = delete;
  SimLibrary& operator=(const SimLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }

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

 private:
  void* handle_ = nullptr;
};
