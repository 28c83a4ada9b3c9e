// The part of libgphoto2 the bridge uses, behind an interface so that the mapping onto the vendor's
// entry points can be tested without a camera. Results are libgphoto2's codes (GP_OK, GP_ERROR_*).
// One camera is open at a time; libgphoto2 is not thread-safe, so every call comes from the thread
// that pumps the camera's events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gphoto {

// A camera as libgphoto2 lists it: its model name and port ("usb:001,005", "ptpip:HOST:P:E").
struct CameraEntry {
  std::string model;
  std::string port;
};

struct CameraEvent {
  enum class Kind { Timeout, FileAdded, Other };
  Kind kind = Kind::Timeout;
  std::string folder;  // FileAdded only
  std::string name;
};

struct FileDetails {
  uint64_t size = 0;
  int64_t mtime = 0;  // seconds since the epoch, 0 when the camera does not say
};

struct StorageDetails {
  std::string description;
  uint64_t capacity_kbytes = 0;
  uint64_t free_kbytes = 0;
};

// A radio-button setting of the camera's configuration: its value and its choices.
struct RadioSetting {
  std::string value;
  std::vector<std::string> choices;
};

class GphotoApi {
 public:
  virtual ~GphotoApi() = default;

  // gp_camera_autodetect: the cameras on USB (and serial) ports.
  virtual int autodetect(std::vector<CameraEntry>& cameras) = 0;
  // A new camera of that model on that port, initialised (gp_camera_init).
  virtual int open(const CameraEntry& camera) = 0;
  // gp_camera_exit; nothing when no camera is open.
  virtual void close() = 0;
  virtual int wait_for_event(int timeout_ms, CameraEvent& event) = 0;
  virtual int file_details(const std::string& folder, const std::string& name,
                           FileDetails& details) = 0;
  // The file's bytes written to fd as they arrive; fd stays the caller's.
  virtual int download(const std::string& folder, const std::string& name, int fd) = 0;
  virtual int delete_file(const std::string& folder, const std::string& name) = 0;
  virtual int trigger_capture() = 0;
  virtual int storage(std::vector<StorageDetails>& storages) = 0;
  virtual int read_radio(const std::string& name, RadioSetting& setting) = 0;
  virtual int write_radio(const std::string& name, const std::string& value) = 0;
  // libgphoto2's own settings (gp_setting_get / gp_setting_set, kept in ~/.gphoto/settings).
  virtual bool read_setting(const std::string& id, const std::string& key, std::string& value) = 0;
  virtual void write_setting(const std::string& id, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace gphoto
