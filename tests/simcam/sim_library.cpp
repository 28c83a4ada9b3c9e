#include "sim_library.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#define BIND(name)                                          \
  name = reinterpret_cast<name##Fn>(dlsym(handle_, #name)); \
  if (name == nullptr) ADD_FAILURE() << "missing entry point " #name

SimLibrary::SimLibrary() {
  handle_ = dlopen(SIMCAM_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    ADD_FAILURE() << "cannot load " SIMCAM_LIBRARY_PATH ": " << dlerror();
    return;
  }
  BIND(EdsInitializeSDK);
  BIND(EdsTerminateSDK);
  BIND(EdsGetEvent);
  BIND(EdsGetCameraList);
  BIND(EdsGetChildCount);
  BIND(EdsGetChildAtIndex);
  BIND(EdsOpenSession);
  BIND(EdsCloseSession);
  BIND(EdsRelease);
  BIND(EdsSendCommand);
  BIND(EdsSetPropertyData);
  BIND(EdsSetCapacity);
  BIND(EdsSetCameraAddedHandler);
  BIND(EdsSetObjectEventHandler);
  BIND(EdsSetPropertyEventHandler);
  BIND(EdsSetCameraStateEventHandler);
  BIND(EdsGetDirectoryItemInfo);
  BIND(EdsCreateFileStream);
  BIND(EdsDownload);
  BIND(EdsDownloadComplete);
  BIND(EdsDownloadCancel);
}

SimLibrary::~SimLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}
