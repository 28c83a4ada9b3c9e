// The vendor library's C entry points, the only symbols a camera library exports (see
// exports.map). Each forwards to the one CameraLibrary, which lives from library load to unload.
#include <mutex>
#include <type_traits>

#include "camera_library.h"
#include "edsdk_api.h"

#define CAMLIB_EXPORT extern "C" __attribute__((visibility("default")))

extern "C" int __cxa_atexit(void (*fn)(void*), void* arg, void* dso_handle);
extern "C" __attribute__((visibility("hidden"))) void* __dso_handle;

namespace {

camlib::CameraLibrary* g_library = nullptr;

camlib::CameraLibrary& lib() {
  return *g_library;
}

void detach_at_exit(void*) {
  if (g_library != nullptr) g_library->detach_run_loop();
}

// A worker that exits without EdsTerminateSDK destroys its run loop before libraries are
// finalised, too late for the destructor below to detach. A handler registered after the loop
// exists runs before it is destroyed; tied to this library, it is dropped again by dlclose.
void detach_before_the_run_loop_dies() {
  static std::once_flag once;
  std::call_once(once, [] { __cxa_atexit(&detach_at_exit, nullptr, &__dso_handle); });
}

__attribute__((constructor)) void load_library() {
  g_library = camlib::make_camera_library();
}

// Detaches from the run loop even after a dlclose without EdsTerminateSDK, so the loop never calls
// into unmapped code.
__attribute__((destructor)) void unload_library() {
  g_library->unload();
  delete g_library;
  g_library = nullptr;
}

}  // namespace

CAMLIB_EXPORT EdsError EdsInitializeSDK() {
  const EdsError result = lib().initialize();
  if (result == eds::kOk) detach_before_the_run_loop_dies();
  return result;
}

CAMLIB_EXPORT EdsError EdsTerminateSDK() {
  return lib().terminate();
}

CAMLIB_EXPORT EdsError EdsGetEvent() {
  return lib().get_event();
}

CAMLIB_EXPORT EdsError EdsGetCameraList(EdsCameraListRef* outList) {
  return lib().get_camera_list(outList);
}

CAMLIB_EXPORT EdsError EdsGetChildCount(EdsBaseRef ref, uint32_t* outCount) {
  return lib().get_child_count(ref, outCount);
}

CAMLIB_EXPORT EdsError EdsGetChildAtIndex(EdsBaseRef ref, int32_t index, EdsBaseRef* outRef) {
  return lib().get_child_at_index(ref, index, outRef);
}

CAMLIB_EXPORT EdsError EdsOpenSession(EdsCameraRef camera) {
  return lib().open_session(camera);
}

CAMLIB_EXPORT EdsError EdsCloseSession(EdsCameraRef camera) {
  return lib().close_session(camera);
}

CAMLIB_EXPORT uint32_t EdsRelease(EdsBaseRef ref) {
  return lib().release(ref);
}

CAMLIB_EXPORT EdsError EdsSendCommand(EdsCameraRef camera, uint32_t command, int32_t param) {
  return lib().send_command(camera, command, param);
}

CAMLIB_EXPORT EdsError EdsSetPropertyData(EdsBaseRef ref, uint32_t propertyID, int32_t param,
                                          uint32_t size, const void* data) {
  return lib().set_property_data(ref, propertyID, param, size, data);
}

CAMLIB_EXPORT EdsError EdsSetCapacity(EdsCameraRef camera, EdsCapacity capacity) {
  return lib().set_capacity(camera, capacity);
}

CAMLIB_EXPORT EdsError EdsSetCameraAddedHandler(EdsCameraAddedHandler handler, void* context) {
  return lib().set_camera_added_handler(handler, context);
}

CAMLIB_EXPORT EdsError EdsSetObjectEventHandler(EdsCameraRef camera, uint32_t event,
                                                EdsObjectEventHandler handler, void* context) {
  return lib().set_object_event_handler(camera, event, handler, context);
}

CAMLIB_EXPORT EdsError EdsSetPropertyEventHandler(EdsCameraRef camera, uint32_t event,
                                                  EdsPropertyEventHandler handler, void* context) {
  return lib().set_property_event_handler(camera, event, handler, context);
}

CAMLIB_EXPORT EdsError EdsSetCameraStateEventHandler(EdsCameraRef camera, uint32_t event,
                                                     EdsStateEventHandler handler, void* context) {
  return lib().set_state_event_handler(camera, event, handler, context);
}

CAMLIB_EXPORT EdsError EdsGetDirectoryItemInfo(EdsDirectoryItemRef item,
                                               EdsDirectoryItemInfo* outInfo) {
  return lib().get_directory_item_info(item, outInfo);
}

CAMLIB_EXPORT EdsError EdsCreateFileStream(const char* path, uint32_t disposition, uint32_t access,
                                           EdsStreamRef* outStream) {
  return lib().create_file_stream(path, disposition, access, outStream);
}

CAMLIB_EXPORT EdsError EdsDownload(EdsDirectoryItemRef item, uint64_t size, EdsStreamRef stream) {
  return lib().download(item, size, stream);
}

CAMLIB_EXPORT EdsError EdsDownloadComplete(EdsDirectoryItemRef item) {
  return lib().download_complete(item);
}

CAMLIB_EXPORT EdsError EdsDownloadCancel(EdsDirectoryItemRef item) {
  return lib().download_cancel(item);
}

// The definitions above must keep the types the worker binds them with.
static_assert(std::is_same_v<decltype(&EdsInitializeSDK), EdsInitializeSDKFn>);
static_assert(std::is_same_v<decltype(&EdsTerminateSDK), EdsTerminateSDKFn>);
static_assert(std::is_same_v<decltype(&EdsGetEvent), EdsGetEventFn>);
static_assert(std::is_same_v<decltype(&EdsGetCameraList), EdsGetCameraListFn>);
static_assert(std::is_same_v<decltype(&EdsGetChildCount), EdsGetChildCountFn>);
static_assert(std::is_same_v<decltype(&EdsGetChildAtIndex), EdsGetChildAtIndexFn>);
static_assert(std::is_same_v<decltype(&EdsOpenSession), EdsOpenSessionFn>);
static_assert(std::is_same_v<decltype(&EdsCloseSession), EdsCloseSessionFn>);
static_assert(std::is_same_v<decltype(&EdsRelease), EdsReleaseFn>);
static_assert(std::is_same_v<decltype(&EdsSendCommand), EdsSendCommandFn>);
static_assert(std::is_same_v<decltype(&EdsSetPropertyData), EdsSetPropertyDataFn>);
static_assert(std::is_same_v<decltype(&EdsSetCapacity), EdsSetCapacityFn>);
static_assert(std::is_same_v<decltype(&EdsSetCameraAddedHandler), EdsSetCameraAddedHandlerFn>);
static_assert(std::is_same_v<decltype(&EdsSetObjectEventHandler), EdsSetObjectEventHandlerFn>);
static_assert(std::is_same_v<decltype(&EdsSetPropertyEventHandler), EdsSetPropertyEventHandlerFn>);
static_assert(
    std::is_same_v<decltype(&EdsSetCameraStateEventHandler), EdsSetCameraStateEventHandlerFn>);
static_assert(std::is_same_v<decltype(&EdsGetDirectoryItemInfo), EdsGetDirectoryItemInfoFn>);
static_assert(std::is_same_v<decltype(&EdsCreateFileStream), EdsCreateFileStreamFn>);
static_assert(std::is_same_v<decltype(&EdsDownload), EdsDownloadFn>);
static_assert(std::is_same_v<decltype(&EdsDownloadComplete), EdsDownloadCompleteFn>);
static_assert(std::is_same_v<decltype(&EdsDownloadCancel), EdsDownloadCancelFn>);
