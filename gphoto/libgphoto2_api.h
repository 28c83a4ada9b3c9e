// GphotoApi on the real libgphoto2. The camera drivers and port list are loaded once, at the first
// listing or open, since loading them reads every driver on the disk.
#pragma once

#include <gphoto2/gphoto2.h>

#include "gphoto_api.h"

namespace gphoto {

class Libgphoto2Api : public GphotoApi {
 public:
  Libgphoto2Api();
  ~Libgphoto2Api() override;
  Libgphoto2Api(const Libgphoto2Api&) = delete;
  Libgphoto2Api& operator=(const Libgphoto2Api&) = delete;

  int autodetect(std::vector<CameraEntry>& cameras) override;
  int open(const CameraEntry& camera) override;
  void close() override;
  int wait_for_event(int timeout_ms, CameraEvent& event) override;
  int file_details(const std::string& folder, const std::string& name,
                   FileDetails& details) override;
  int download(const std::string& folder, const std::string& name, int fd) override;
  int delete_file(const std::string& folder, const std::string& name) override;
  int trigger_capture() override;
  int storage(std::vector<StorageDetails>& storages) override;
  int read_radio(const std::string& name, RadioSetting& setting) override;
  int write_radio(const std::string& name, const std::string& value) override;
  bool read_setting(const std::string& id, const std::string& key, std::string& value) override;
  void write_setting(const std::string& id, const std::string& key,
                     const std::string& value) override;

 private:
  int load_drivers();
  // Sets up camera_ for a model and a port before gp_camera_init.
  int choose(const CameraEntry& camera);

  GPContext* context_ = nullptr;
  CameraAbilitiesList* abilities_ = nullptr;
  GPPortInfoList* ports_ = nullptr;
  Camera* camera_ = nullptr;
};

}  // namespace gphoto
