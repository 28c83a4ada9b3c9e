#include "libgphoto2_api.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "stdin_guard.h"

namespace gphoto {
namespace {

constexpr std::size_t kSettingSize = 1024;  // libgphoto2's own limit for a setting's value

struct WidgetFree {
  void operator()(CameraWidget* widget) const { gp_widget_free(widget); }
};
using WidgetPtr = std::unique_ptr<CameraWidget, WidgetFree>;

// A copy that fits libgphoto2's fixed setting buffers, for its non-const parameters.
std::vector<char> setting_text(const std::string& text) {
  std::vector<char> buffer(kSettingSize, '\0');
  text.copy(buffer.data(), kSettingSize - 1);
  return buffer;
}

}  // namespace

Libgphoto2Api::Libgphoto2Api() : context_(gp_context_new()) {}

Libgphoto2Api::~Libgphoto2Api() {
  close();
  if (abilities_ != nullptr) gp_abilities_list_free(abilities_);
  if (ports_ != nullptr) gp_port_info_list_free(ports_);
  gp_context_unref(context_);
}

int Libgphoto2Api::load_drivers() {
  if (abilities_ != nullptr && ports_ != nullptr) return GP_OK;
  int result = GP_OK;
  if (abilities_ == nullptr) {
    gp_abilities_list_new(&abilities_);
    result = gp_abilities_list_load(abilities_, context_);
  }
  if (result >= GP_OK && ports_ == nullptr) {
    gp_port_info_list_new(&ports_);
    result = gp_port_info_list_load(ports_);
  }
  if (result < GP_OK) {
    // Tried again at the next call.
    if (abilities_ != nullptr) gp_abilities_list_free(abilities_);
    if (ports_ != nullptr) gp_port_info_list_free(ports_);
    abilities_ = nullptr;
    ports_ = nullptr;
  }
  return result < GP_OK ? result : GP_OK;
}

int Libgphoto2Api::autodetect(std::vector<CameraEntry>& cameras) {
  cameras.clear();
  CameraList* list = nullptr;
  gp_list_new(&list);
  const int count = gp_camera_autodetect(list, context_);
  for (int i = 0; i < count; ++i) {
    const char* model = nullptr;
    const char* port = nullptr;
    gp_list_get_name(list, i, &model);
    gp_list_get_value(list, i, &port);
    if (model != nullptr && port != nullptr) cameras.push_back({model, port});
  }
  gp_list_free(list);
  return count < 0 ? count : GP_OK;
}

int Libgphoto2Api::choose(const CameraEntry& camera) {
  int result = load_drivers();
  if (result < GP_OK) return result;
  const int model = gp_abilities_list_lookup_model(abilities_, camera.model.c_str());
  if (model < GP_OK) return model;
  CameraAbilities abilities;
  result = gp_abilities_list_get_abilities(abilities_, model, &abilities);
  if (result >= GP_OK) result = gp_camera_set_abilities(camera_, abilities);
  if (result < GP_OK) return result;
  const int port = gp_port_info_list_lookup_path(ports_, camera.port.c_str());
  if (port < GP_OK) return port;
  GPPortInfo info;
  result = gp_port_info_list_get_info(ports_, port, &info);
  if (result >= GP_OK) result = gp_camera_set_port_info(camera_, info);
  return result;
}

int Libgphoto2Api::open(const CameraEntry& camera) {
  close();
  int result = gp_camera_new(&camera_);
  if (result < GP_OK) {
    camera_ = nullptr;
    return result;
  }
  result = choose(camera);
  const StdinGuard guard;  // a failed init ends the session it began
  if (result >= GP_OK) result = gp_camera_init(camera_, context_);
  if (result < GP_OK) {
    gp_camera_unref(camera_);
    camera_ = nullptr;
    return result;
  }
  return GP_OK;
}

void Libgphoto2Api::close() {
  if (camera_ == nullptr) return;
  const StdinGuard guard;
  gp_camera_exit(camera_, context_);
  gp_camera_unref(camera_);
  camera_ = nullptr;
}

int Libgphoto2Api::wait_for_event(int timeout_ms, CameraEvent& event) {
  if (camera_ == nullptr) return GP_ERROR_BAD_PARAMETERS;
  CameraEventType type = GP_EVENT_UNKNOWN;
  void* data = nullptr;
  const int result = gp_camera_wait_for_event(camera_, timeout_ms, &type, &data, context_);
  event = CameraEvent{};
  if (result >= GP_OK) {
    if (type == GP_EVENT_TIMEOUT) {
      event.kind = CameraEvent::Kind::Timeout;
    } else if (type == GP_EVENT_FILE_ADDED && data != nullptr) {
      const auto* path = static_cast<const CameraFilePath*>(data);
      event.kind = CameraEvent::Kind::FileAdded;
      event.folder = path->folder;
      event.name = path->name;
    } else {
      event.kind = CameraEvent::Kind::Other;
    }
  }
  std::free(data);  // the caller's to free, whatever the event
  return result < GP_OK ? result : GP_OK;
}

int Libgphoto2Api::file_details(const std::string& folder, const std::string& name,
                                FileDetails& details) {
  if (camera_ == nullptr) return GP_ERROR_BAD_PARAMETERS;
  CameraFileInfo info;
  std::memset(&info, 0, sizeof info);
  const int result =
      gp_camera_file_get_info(camera_, folder.c_str(), name.c_str(), &info, context_);
  if (result < GP_OK) return result;
  details = FileDetails{};
  if (info.file.fields & GP_FILE_INFO_SIZE) details.size = info.file.size;
  if (info.file.fields & GP_FILE_INFO_MTIME) details.mtime = info.file.mtime;
  return GP_OK;
}

int Libgphoto2Api::download(const std::string& folder, const std::string& name, int fd) {
  if (camera_ == nullptr) return GP_ERROR_BAD_PARAMETERS;
  // The CameraFile closes its descriptor when it goes; ours stays open.
  const int own = ::dup(fd);
  if (own < 0) return GP_ERROR_IO;
  CameraFile* file = nullptr;
  int result = gp_file_new_from_fd(&file, own);
  if (result < GP_OK) {
    ::close(own);
    return result;
  }
  result = gp_camera_file_get(camera_, folder.c_str(), name.c_str(), GP_FILE_TYPE_NORMAL, file,
                              context_);
  gp_file_unref(file);
  return result < GP_OK ? result : GP_OK;
}

int Libgphoto2Api::delete_file(const std::string& folder, const std::string& name) {
  if (camera_ == nullptr) return GP_ERROR_BAD_PARAMETERS;
  const int result = gp_camera_file_delete(camera_, folder.c_str(), name.c_str(), context_);
  return result < GP_OK ? result : GP_OK;
}

int Libgphoto2Api::trigger_capture() {
  if (camera_ == nullptr) return GP_ERROR_BAD_PARAMETERS;
  const int result = gp_camera_trigger_capture(camera_, context_);
  return result < GP_OK ? result : GP_OK;
}

int Libgphoto2Api::storage(std::vector<StorageDetails>& storages) {
  storages.clear();
  if (camera_ == nullptr) return GP_ERROR_BAD_PARAMETERS;
  CameraStorageInformation* infos = nullptr;
  int count = 0;
  const int result = gp_camera_get_storageinfo(camera_, &infos, &count, context_);
  if (result < GP_OK) return result;
  for (int i = 0; i < count; ++i) {
    const CameraStorageInformation& info = infos[i];
    StorageDetails details;
    if (info.fields & GP_STORAGEINFO_DESCRIPTION) details.description = info.description;
    if (info.fields & GP_STORAGEINFO_MAXCAPACITY) details.capacity_kbytes = info.capacitykbytes;
    if (info.fields & GP_STORAGEINFO_FREESPACEKBYTES) details.free_kbytes = info.freekbytes;
    storages.push_back(std::move(details));
  }
  std::free(infos);
  return GP_OK;
}

int Libgphoto2Api::read_radio(const std::string& name, RadioSetting& setting) {
  if (camera_ == nullptr) return GP_ERROR_BAD_PARAMETERS;
  CameraWidget* raw = nullptr;
  const int result = gp_camera_get_single_config(camera_, name.c_str(), &raw, context_);
  if (result < GP_OK) return result;
  const WidgetPtr widget(raw);
  CameraWidgetType type;
  gp_widget_get_type(raw, &type);
  if (type != GP_WIDGET_RADIO && type != GP_WIDGET_MENU) return GP_ERROR_NOT_SUPPORTED;
  const char* value = nullptr;
  gp_widget_get_value(raw, &value);
  setting.value = value != nullptr ? value : "";
  setting.choices.clear();
  const int count = gp_widget_count_choices(raw);
  for (int i = 0; i < count; ++i) {
    const char* choice = nullptr;
    if (gp_widget_get_choice(raw, i, &choice) >= GP_OK && choice != nullptr) {
      setting.choices.emplace_back(choice);
    }
  }
  return GP_OK;
}

int Libgphoto2Api::write_radio(const std::string& name, const std::string& value) {
  if (camera_ == nullptr) return GP_ERROR_BAD_PARAMETERS;
  CameraWidget* raw = nullptr;
  int result = gp_camera_get_single_config(camera_, name.c_str(), &raw, context_);
  if (result < GP_OK) return result;
  const WidgetPtr widget(raw);
  result = gp_widget_set_value(raw, value.c_str());
  if (result >= GP_OK) result = gp_camera_set_single_config(camera_, name.c_str(), raw, context_);
  return result < GP_OK ? result : GP_OK;
}

bool Libgphoto2Api::read_setting(const std::string& id, const std::string& key,
                                 std::string& value) {
  std::vector<char> id_text = setting_text(id);
  std::vector<char> key_text = setting_text(key);
  std::vector<char> buffer(kSettingSize, '\0');
  if (gp_setting_get(id_text.data(), key_text.data(), buffer.data()) != GP_OK) return false;
  value = buffer.data();
  return true;
}

void Libgphoto2Api::write_setting(const std::string& id, const std::string& key,
                                  const std::string& value) {
  std::vector<char> id_text = setting_text(id);
  std::vector<char> key_text = setting_text(key);
  std::vector<char> value_text = setting_text(value);
  gp_setting_set(id_text.data(), key_text.data(), value_text.data());
}

}  // namespace gphoto
