#include "gphoto_session.h"

#include <gphoto2/gphoto2-result.h>

#include "gphoto_errors.h"

namespace gphoto {

GphotoSession::GphotoSession(GphotoApi& api, Automounter& automounter, LogSink log,
                             SettingsFile settings)
    : api_(api),
      automounter_(automounter),
      log_(std::move(log)),
      capture_target_(api, std::move(settings)) {}

EdsError GphotoSession::open(const CameraEntry& camera) {
  if (open_) return eds::kOk;
  int result = api_.open(camera);
  // A desktop's automounter takes every camera it sees; ask it once to let go, then try again at
  // once. After that the worker's busy retries take over.
  if (is_claim_failure(result) && camera.port.rfind("usb:", 0) == 0 &&
      released_ports_.insert(camera.port).second) {
    log_("gphoto2: " + camera.model + " on " + camera.port + " is held by another program (" +
         describe_gphoto_result(result) +
         "); releasing it from the desktop's automounter: " + automounter_.release(camera.port));
    result = api_.open(camera);
  }
  if (result != GP_OK) {
    log_("gphoto2: opening " + camera.model + " on " + camera.port +
         " failed: " + describe_gphoto_result(result));
    return eds_error_from_gphoto(result);
  }
  open_ = true;
  lost_ = false;
  save_to_ = 0;
  event_failures_ = 0;
  ++generation_;
  return eds::kOk;
}

void GphotoSession::close() {
  if (!open_) return;
  end_session();
  lost_ = false;
}

void GphotoSession::end_session() {
  api_.close();
  capture_target_.restore();
  open_ = false;
}

EdsError GphotoSession::checked(int result) {
  if (result != GP_OK && is_camera_lost(result)) lose(describe_gphoto_result(result));
  return eds_error_from_gphoto(result);
}

void GphotoSession::lose(const std::string& why) {
  if (!open_) return;
  log_("gphoto2: the camera is gone: " + why);
  end_session();
  lost_ = true;
}

EdsError GphotoSession::set_save_target(int32_t save_to) {
  if (!open_) return kSessionNotOpen;
  std::string note;
  const EdsError error = checked(capture_target_.apply(save_to, note));
  log_("gphoto2: save target " + std::to_string(save_to) + ": " + note);
  if (error == eds::kOk) save_to_ = save_to;
  return error;
}

GphotoSession::Events GphotoSession::drain_events() {
  Events events;
  for (int count = 0; open_ && count < kMaxEventsPerDrain; ++count) {
    CameraEvent event;
    // Never 0: libgphoto2 passes it to USB reads, where it means "wait for ever".
    const int result = api_.wait_for_event(count == 0 ? kEventWaitMs : 1, event);
    if (result != GP_OK) {
      checked(result);
      // A PTP/IP connection the camera closed reads as an unspecified error, not an I/O one.
      if (++event_failures_ >= kEventFailuresForLoss) {
        lose(std::to_string(event_failures_) + " event checks failed in a row, the last " +
             describe_gphoto_result(result));
      }
      break;
    }
    event_failures_ = 0;
    if (event.kind == CameraEvent::Kind::Timeout) break;
    if (event.kind != CameraEvent::Kind::FileAdded) continue;
    NewFile file{event.folder, event.name, {}};
    // Without its size the file is still announced: the download finds out.
    checked(api_.file_details(file.folder, file.name, file.details));
    if (!open_) break;
    events.files.push_back(std::move(file));
  }
  events.lost = lost_;
  lost_ = false;
  return events;
}

EdsError GphotoSession::storage_count(uint32_t& count) {
  if (!open_) return kSessionNotOpen;
  std::vector<StorageDetails> storages;
  const EdsError error = checked(api_.storage(storages));
  count = error == eds::kOk ? static_cast<uint32_t>(storages.size()) : 0;
  return error;
}

EdsError GphotoSession::download(const NewFile& file, int fd) {
  if (!open_) return eds::kCommDisconnected;
  return checked(api_.download(file.folder, file.name, fd));
}

EdsError GphotoSession::remove_from_camera(const NewFile& file) {
  if (!open_) return eds::kCommDisconnected;
  return checked(api_.delete_file(file.folder, file.name));
}

EdsError GphotoSession::trigger_capture() {
  if (!open_) return kSessionNotOpen;
  return checked(api_.trigger_capture());
}

}  // namespace gphoto
