#include "gphoto_library.h"

#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "camera_listing.h"
#include "download_flush.h"
#include "gphoto_errors.h"

namespace gphoto {
namespace {

constexpr uint32_t kFormatJpeg = 0x00003801;
constexpr uint32_t kFormatUnknown = 0x00000000;

uint32_t format_of(const std::string& name) {
  std::string extension = name.substr(std::min(name.size(), name.rfind('.') + 1));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == "jpg" || extension == "jpeg" ? kFormatJpeg : kFormatUnknown;
}

}  // namespace

GphotoLibrary::GphotoLibrary(Parts parts)
    : api_(std::move(parts.api)),
      automounter_(std::move(parts.automounter)),
      log_(std::move(parts.log)),
      session_(*api_, *automounter_, log_, std::move(parts.settings)) {}

EdsError GphotoLibrary::initialize() {
  {
    std::lock_guard lock(mutex_);
    if (initialized_) return eds::kOk;
    initialized_ = true;
    const char* port = std::getenv(kPortVariable);
    port_setting_ = port != nullptr ? port : "";
    session_.forget_released_ports();
  }
  // Outside the mutex: attaching may run the loop's own locking.
  run_loop_.attach(&CameraLibrary::perform, this);
  return eds::kOk;
}

EdsError GphotoLibrary::terminate() {
  {
    std::lock_guard lock(mutex_);
    if (!initialized_) return eds::kNotInitialized;
    end_session();
    events_.clear();
    objects_.clear();
    added_handler_ = nullptr;
    added_context_ = nullptr;
    initialized_ = false;
  }
  // Outside the mutex: removing waits for a callback in progress, which may be waiting for it.
  run_loop_.detach();
  return eds::kOk;
}

void GphotoLibrary::unload() {
  run_loop_.detach();
  std::lock_guard lock(mutex_);
  end_session();
  initialized_ = false;
}

EdsError GphotoLibrary::get_event() {
  {
    std::lock_guard lock(mutex_);
    if (!initialized_) return eds::kNotInitialized;
  }
  poll();
  return eds::kOk;
}

bool GphotoLibrary::collect_events() {
  if (!initialized_) return false;
  if (session_camera_ == nullptr) return true;
  const GphotoSession::Events found = session_.drain_events();
  for (const NewFile& file : found.files) {
    const EdsBaseRef item =
        objects_.add(DirectoryItemObject{.file = file, .generation = session_.generation()});
    events_.push(camlib::EventQueue::Kind::Object, session_camera_,
                 eds::kObjectEventDirItemRequestTransfer, item);
  }
  if (found.lost) {
    // The files it announced can no longer be fetched; they are still on its card.
    events_.drop_for_camera(session_camera_, true, *this);
    events_.push(camlib::EventQueue::Kind::State, session_camera_, eds::kStateEventShutdown,
                 nullptr);
  }
  return true;
}

std::optional<camlib::EventQueue::Delivery> GphotoLibrary::next_delivery(uint64_t last_seq) {
  if (!initialized_) return std::nullopt;
  return events_.take_next(last_seq, *this, added_handler_, added_context_);
}

const camlib::CameraHandlers* GphotoLibrary::handlers_of(EdsBaseRef camera) {
  const auto* object = objects_.find_as<CameraObject>(camera);
  return object != nullptr ? &object->handlers : nullptr;
}

bool GphotoLibrary::item_exists(EdsBaseRef item) {
  return objects_.find_as<DirectoryItemObject>(item) != nullptr;
}

void GphotoLibrary::discard(EdsBaseRef item) {
  objects_.remove(item);
}

void GphotoLibrary::hand_over(EdsBaseRef item, uint32_t) {
  objects_.find_as<DirectoryItemObject>(item)->delivered = true;
}

void GphotoLibrary::end_session() {
  session_.close();
  if (session_camera_ != nullptr) events_.drop_for_camera(session_camera_, false, *this);
  session_camera_ = nullptr;
}

EdsError GphotoLibrary::session_check(EdsBaseRef camera) {
  if (!initialized_) return eds::kNotInitialized;
  if (objects_.find_as<CameraObject>(camera) == nullptr) return eds::kInvalidHandle;
  if (camera != session_camera_) return kSessionNotOpen;
  return session_.is_open() ? eds::kOk : eds::kCommDisconnected;
}

EdsError GphotoLibrary::get_camera_list(EdsCameraListRef* out_list) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  if (out_list == nullptr) return eds::kInvalidParameter;
  *out_list = objects_.add(CameraListObject{list_cameras(*api_, port_setting_)});
  return eds::kOk;
}

EdsError GphotoLibrary::get_child_count(EdsBaseRef ref, uint32_t* out_count) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  if (out_count == nullptr) return eds::kInvalidParameter;
  const auto* object = objects_.find(ref);
  if (object == nullptr) return eds::kInvalidHandle;
  if (const auto* list = std::get_if<CameraListObject>(&object->data)) {
    *out_count = static_cast<uint32_t>(list->cameras.size());
    return eds::kOk;
  }
  if (std::holds_alternative<VolumeObject>(object->data)) {
    *out_count = 0;
    return eds::kOk;
  }
  if (!std::holds_alternative<CameraObject>(object->data)) return eds::kInvalidHandle;
  const EdsError error = session_check(ref);
  return error != eds::kOk ? error : session_.storage_count(*out_count);
}

EdsError GphotoLibrary::get_child_at_index(EdsBaseRef ref, int32_t index, EdsBaseRef* out_ref) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  if (out_ref == nullptr || index < 0) return eds::kInvalidParameter;
  const auto position = static_cast<std::size_t>(index);
  if (const auto* list = objects_.find_as<CameraListObject>(ref)) {
    if (position >= list->cameras.size()) return eds::kInvalidParameter;
    *out_ref = objects_.add(CameraObject{.entry = list->cameras[position], .handlers = {}});
    return eds::kOk;
  }
  if (objects_.find_as<CameraObject>(ref) == nullptr) return eds::kInvalidHandle;
  EdsError error = session_check(ref);
  uint32_t count = 0;
  if (error == eds::kOk) error = session_.storage_count(count);
  if (error != eds::kOk) return error;
  if (position >= count) return eds::kInvalidParameter;
  *out_ref = objects_.add(VolumeObject{static_cast<uint32_t>(index)});
  return eds::kOk;
}

EdsError GphotoLibrary::open_session(EdsCameraRef camera) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  const auto* object = objects_.find_as<CameraObject>(camera);
  if (object == nullptr) return eds::kInvalidHandle;
  if (camera == session_camera_ && session_.is_open()) return eds::kOk;
  end_session();
  const EdsError error = session_.open(object->entry);
  if (error == eds::kOk) session_camera_ = camera;
  return error;
}

EdsError GphotoLibrary::close_session(EdsCameraRef camera) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  if (objects_.find_as<CameraObject>(camera) == nullptr) return eds::kInvalidHandle;
  if (camera == session_camera_) end_session();
  return eds::kOk;
}

uint32_t GphotoLibrary::release(EdsBaseRef ref) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return kBadRefCount;
  const bool is_session_camera = ref == session_camera_;
  const auto released = objects_.release(ref);
  if (!released) return kBadRefCount;
  if (released->removed && is_session_camera) end_session();
  return released->remaining;
}

EdsError GphotoLibrary::send_command(EdsCameraRef camera, uint32_t command, int32_t param) {
  std::lock_guard lock(mutex_);
  const EdsError error = session_check(camera);
  if (error != eds::kOk) return error;
  if (command == eds::kCameraCommandExtendShutDownTimer) return eds::kOk;
  if (command != eds::kCameraCommandPressShutterButton) return eds::kInvalidParameter;
  // libgphoto2 has one call for the whole press: half presses and the release change nothing.
  if (param == eds::kShutterButtonCompletely || param == eds::kShutterButtonCompletelyNonAF) {
    return session_.trigger_capture();
  }
  return eds::kOk;
}

EdsError GphotoLibrary::set_property_data(EdsBaseRef ref, uint32_t property, int32_t, uint32_t size,
                                          const void* data) {
  std::lock_guard lock(mutex_);
  const EdsError error = session_check(ref);
  if (error != eds::kOk) return error;
  if (property != eds::kPropSaveTo) return eds::kOk;
  int32_t value = 0;
  if (size != sizeof value || data == nullptr) return eds::kInvalidParameter;
  std::memcpy(&value, data, sizeof value);
  if (value < eds::kSaveToCamera || value > eds::kSaveToBoth) return eds::kInvalidParameter;
  return session_.set_save_target(value);
}

EdsError GphotoLibrary::set_capacity(EdsCameraRef camera, EdsCapacity) {
  std::lock_guard lock(mutex_);
  return session_check(camera);
}

EdsError GphotoLibrary::set_camera_added_handler(EdsCameraAddedHandler handler, void* context) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  added_handler_ = handler;
  added_context_ = context;
  return eds::kOk;
}

template <class Fn>
EdsError GphotoLibrary::set_handler(EdsCameraRef camera, uint32_t family,
                                    camlib::HandlerSlot<Fn> camlib::CameraHandlers::*slot,
                                    uint32_t event, Fn handler, void* context) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  auto* object = objects_.find_as<CameraObject>(camera);
  if (object == nullptr) return eds::kInvalidHandle;
  if (!(object->handlers.*slot).assign(family, event, handler, context)) {
    return eds::kInvalidParameter;
  }
  return eds::kOk;
}

EdsError GphotoLibrary::set_object_event_handler(EdsCameraRef camera, uint32_t event,
                                                 EdsObjectEventHandler handler, void* context) {
  return set_handler(camera, eds::kObjectEventAll, &camlib::CameraHandlers::object, event, handler,
                     context);
}

EdsError GphotoLibrary::set_property_event_handler(EdsCameraRef camera, uint32_t event,
                                                   EdsPropertyEventHandler handler, void* context) {
  return set_handler(camera, eds::kPropertyEventAll, &camlib::CameraHandlers::property, event,
                     handler, context);
}

EdsError GphotoLibrary::set_state_event_handler(EdsCameraRef camera, uint32_t event,
                                                EdsStateEventHandler handler, void* context) {
  return set_handler(camera, eds::kStateEventAll, &camlib::CameraHandlers::state, event, handler,
                     context);
}

EdsError GphotoLibrary::get_directory_item_info(EdsDirectoryItemRef item,
                                                EdsDirectoryItemInfo* out_info) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  const auto* object = objects_.find_as<DirectoryItemObject>(item);
  if (object == nullptr) return eds::kInvalidHandle;
  if (out_info == nullptr) return eds::kInvalidParameter;
  *out_info = EdsDirectoryItemInfo{};
  out_info->size = object->file.details.size;
  std::snprintf(out_info->szFileName, sizeof out_info->szFileName, "%s", object->file.name.c_str());
  out_info->format = format_of(object->file.name);
  out_info->dateTime = static_cast<uint32_t>(object->file.details.mtime);
  return eds::kOk;
}

EdsError GphotoLibrary::create_file_stream(const char* path, uint32_t disposition, uint32_t access,
                                           EdsStreamRef* out_stream) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  if (path == nullptr || out_stream == nullptr ||
      disposition != eds::kFileCreateDispositionCreateAlways || access != eds::kAccessReadWrite) {
    return eds::kInvalidParameter;
  }
  auto fd = std::make_shared<vantrel::FileDescriptor>(
      ::open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!fd->valid()) return eds::kFileIoError;
  *out_stream = objects_.add(FileStreamObject{path, std::move(fd)});
  return eds::kOk;
}

EdsError GphotoLibrary::download(EdsDirectoryItemRef item, uint64_t size, EdsStreamRef stream) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  auto* object = objects_.find_as<DirectoryItemObject>(item);
  const auto* file = objects_.find_as<FileStreamObject>(stream);
  if (object == nullptr || file == nullptr) return eds::kInvalidHandle;
  if (!session_.is_open() || object->generation != session_.generation()) {
    return eds::kCommDisconnected;
  }
  if (size != object->file.details.size) return eds::kInvalidParameter;
  const EdsError error = session_.download(object->file, file->fd->get());
  if (error != eds::kOk) return error;
  const EdsError flushed = flush_download(file->fd->get(), file->path, size);
  object->flushed = flushed == eds::kOk;
  return flushed;
}

EdsError GphotoLibrary::download_complete(EdsDirectoryItemRef item) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  const auto* object = objects_.find_as<DirectoryItemObject>(item);
  if (object == nullptr) return eds::kInvalidHandle;
  if (!object->flushed || !session_.host_only() || object->generation != session_.generation()) {
    return eds::kOk;
  }
  // Computer only: the camera's copy goes once ours is on the disk. A failure leaves it there,
  // which loses nothing, so the download still counts.
  const std::string path = object->file.folder + "/" + object->file.name;
  const EdsError error = session_.remove_from_camera(object->file);
  log_(error == eds::kOk
           ? "gphoto2: deleted " + path + " from the camera (computer only)"
           : "gphoto2: could not delete " + path + " from the camera: " + eds_code_text(error));
  return eds::kOk;
}

EdsError GphotoLibrary::download_cancel(EdsDirectoryItemRef item) {
  std::lock_guard lock(mutex_);
  if (!initialized_) return eds::kNotInitialized;
  return objects_.find_as<DirectoryItemObject>(item) != nullptr ? eds::kOk : eds::kInvalidHandle;
}

}  // namespace gphoto
