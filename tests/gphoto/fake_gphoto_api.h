// A scripted libgphoto2 for the bridge's unit tests: results to return, events to hand out, files
// to "download", and a record of what was asked.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "automounter.h"
#include "gphoto_api.h"

class FakeGphotoApi : public gphoto::GphotoApi {
 public:
  int autodetect(std::vector<gphoto::CameraEntry>& cameras) override;
  int open(const gphoto::CameraEntry& camera) override;
  void close() override { ++closes; }
  int wait_for_event(int timeout_ms, gphoto::CameraEvent& event) override;
  int file_details(const std::string& folder, const std::string& name,
                   gphoto::FileDetails& details) override;
  int download(const std::string& folder, const std::string& name, int fd) override;
  int delete_file(const std::string& folder, const std::string& name) override;
  int trigger_capture() override;
  int storage(std::vector<gphoto::StorageDetails>& storages) override;
  int read_radio(const std::string& name, gphoto::RadioSetting& setting) override;
  int write_radio(const std::string& name, const std::string& value) override;
  bool read_setting(const std::string& id, const std::string& key, std::string& value) override;
  void write_setting(const std::string& id, const std::string& key,
                     const std::string& value) override;

  // A new file on the camera, announced by the next event check.
  void add_file(const std::string& folder, const std::string& name, const std::string& bytes);

  std::vector<gphoto::CameraEntry> detected;
  std::deque<int> open_results;   // one per open; GP_OK once they run out
  std::deque<int> event_results;  // one per event check before the events; GP_OK after
  std::deque<gphoto::CameraEvent> events;
  std::map<std::string, std::string> files;  // "folder/name" -> bytes on the camera
  int download_result = 0;
  int trigger_result = 0;
  int storages = 1;
  bool has_capture_target = false;
  gphoto::RadioSetting capture_target{"Internal RAM", {"Internal RAM", "Memory card"}};
  std::map<std::string, std::string> settings;  // "id/key" -> value, libgphoto2's memory

  std::vector<gphoto::CameraEntry> opened;
  std::vector<int> wait_timeouts;
  std::vector<std::string> deleted;
  int closes = 0;
  int triggers = 0;
};

class FakeAutomounter : public gphoto::Automounter {
 public:
  std::string release(const std::string& port) override;
  std::vector<std::string> released;
};
