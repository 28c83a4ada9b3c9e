#include "fake_gphoto_api.h"

#include <gphoto2/gphoto2-result.h>
#include <unistd.h>

namespace {

int take_front(std::deque<int>& results) {
  if (results.empty()) return GP_OK;
  const int result = results.front();
  results.pop_front();
  return result;
}

}  // namespace

int FakeGphotoApi::autodetect(std::vector<gphoto::CameraEntry>& cameras) {
  cameras = detected;
  return GP_OK;
}

int FakeGphotoApi::open(const gphoto::CameraEntry& camera) {
  opened.push_back(camera);
  return take_front(open_results);
}

int FakeGphotoApi::wait_for_event(int timeout_ms, gphoto::CameraEvent& event) {
  wait_timeouts.push_back(timeout_ms);
  if (const int result = take_front(event_results); result != GP_OK) return result;
  event = gphoto::CameraEvent{};
  if (!events.empty()) {
    event = events.front();
    events.pop_front();
  }
  return GP_OK;
}

int FakeGphotoApi::file_details(const std::string& folder, const std::string& name,
                                gphoto::FileDetails& details) {
  const auto it = files.find(folder + "/" + name);
  if (it == files.end()) return GP_ERROR_FILE_NOT_FOUND;
  details.size = it->second.size();
  details.mtime = 1700000000;
  return GP_OK;
}

int FakeGphotoApi::download(const std::string& folder, const std::string& name, int fd) {
  if (download_result != GP_OK) return download_result;
  const auto it = files.find(folder + "/" + name);
  if (it == files.end()) return GP_ERROR_FILE_NOT_FOUND;
  return ::write(fd, it->second.data(), it->second.size()) ==
                 static_cast<ssize_t>(it->second.size())
             ? GP_OK
             : GP_ERROR_IO_WRITE;
}

int FakeGphotoApi::delete_file(const std::string& folder, const std::string& name) {
  deleted.push_back(folder + "/" + name);
  return files.erase(folder + "/" + name) == 1 ? GP_OK : GP_ERROR_FILE_NOT_FOUND;
}

int FakeGphotoApi::trigger_capture() {
  ++triggers;
  return trigger_result;
}

int FakeGphotoApi::storage(std::vector<gphoto::StorageDetails>& found) {
  found.assign(static_cast<std::size_t>(storages), gphoto::StorageDetails{});
  return GP_OK;
}

int FakeGphotoApi::read_radio(const std::string& name, gphoto::RadioSetting& setting) {
  if (!has_capture_target || name != "capturetarget") return GP_ERROR_BAD_PARAMETERS;
  setting = capture_target;
  return GP_OK;
}

// Like libgphoto2: the choice goes into its settings, which it writes to the file at once.
int FakeGphotoApi::write_radio(const std::string& name, const std::string& value) {
  if (!has_capture_target || name != "capturetarget") return GP_ERROR_BAD_PARAMETERS;
  capture_target.value = value;
  write_setting("ptp2", "capturetarget", value == "Internal RAM" ? "sdram" : "card");
  return GP_OK;
}

bool FakeGphotoApi::read_setting(const std::string& id, const std::string& key,
                                 std::string& value) {
  const auto it = settings.find(id + "/" + key);
  if (it == settings.end()) return false;
  value = it->second;
  return true;
}

void FakeGphotoApi::write_setting(const std::string& id, const std::string& key,
                                  const std::string& value) {
  settings[id + "/" + key] = value;
  const char* home = getenv("HOME");
  FILE* file = std::fopen((std::string(home) + "/.gphoto/settings").c_str(), "w");
  if (file == nullptr) return;
  for (const auto& [name, setting] : settings) {
    const std::string line = name.substr(0, name.find('/')) + "=" +
                             name.substr(name.find('/') + 1) + "=" + setting + "\n";
    std::fputs(line.c_str(), file);
  }
  std::fclose(file);
}

void FakeGphotoApi::add_file(const std::string& folder, const std::string& name,
                             const std::string& bytes) {
  files[folder + "/" + name] = bytes;
  events.push_back({gphoto::CameraEvent::Kind::FileAdded, folder, name});
}

std::string FakeAutomounter::release(const std::string& port) {
  released.push_back(port);
  return "exit=0";
}
