// The camera itself, whoever is connected: its card, its shutter, and the event connection its
// news goes out on.
#pragma once

#include <filesystem>
#include <mutex>

#include "camera_options.h"
#include "event_channel.h"
#include "object_store.h"
#include "shot_maker.h"
#include "status_output.h"

namespace ptpipcam {

class CameraDevice {
 public:
  CameraDevice(const CameraOptions& options, StatusOutput& output);

  // One press of the shutter: the shot's files go onto the card and every new object (a folder
  // made again included) is announced with ObjectAdded. With a dump folder a copy of each file is
  // written there first, so it exists before any initiator can download the file.
  void shoot();

  ObjectStore& store() { return store_; }
  EventChannel& events() { return events_; }
  bool raw() const { return raw_; }
  // What one shot takes on the card, for the free-images estimate.
  uint64_t bytes_per_shot() const;

 private:
  void dump(const ShotFile& file, const std::vector<uint8_t>& bytes);

  ShotMaker maker_;
  bool raw_;
  uint64_t image_bytes_;
  std::filesystem::path dump_dir_;
  StatusOutput& output_;
  ObjectStore store_;
  EventChannel events_;
  std::mutex shutter_mutex_;
  int shots_ = 0;
};

}  // namespace ptpipcam
