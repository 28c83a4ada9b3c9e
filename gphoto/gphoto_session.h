// One camera's session through libgphoto2, in the vendor's terms: opening it (a camera another
// program holds is "device busy"; the desktop's automounter is asked once to let go), the save
// target, the events, the storage, downloads, deletions and the shutter.
//
// A camera that goes away (an I/O error from any call, or event checks failing several times in a
// row) ends the session at once; the next drain_events() reports it, once.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "automounter.h"
#include "edsdk_api.h"
#include "gphoto_api.h"
#include "protocol_log.h"
#include "session_capture_target.h"

namespace gphoto {

// A file the camera announced.
struct NewFile {
  std::string folder;
  std::string name;
  FileDetails details;
};

class GphotoSession {
 public:
  GphotoSession(GphotoApi& api, Automounter& automounter, LogSink log, SettingsFile settings);

  EdsError open(const CameraEntry& camera);
  // Ends the session (the camera's own target setting stays, the user's libgphoto2 setting is
  // given back); nothing when none is open.
  void close();
  bool is_open() const { return open_; }
  // Changes at every open, so that what an earlier session announced is told apart.
  uint64_t generation() const { return generation_; }
  // A new run of the library: the automounter may be asked again.
  void forget_released_ports() { released_ports_.clear(); }

  // 1 card, 2 host (computer only), 3 both.
  EdsError set_save_target(int32_t save_to);
  // Computer only: every file is deleted from the camera once it is safely on the disk.
  bool host_only() const { return save_to_ == eds::kSaveToHost; }

  struct Events {
    std::vector<NewFile> files;
    bool lost = false;  // the camera went away; the session is over
  };
  // What the camera has to say now: waits a moment for the first event, then takes what follows
  // without waiting, up to a limit per call so that a chatty camera never holds up the worker.
  Events drain_events();

  EdsError storage_count(uint32_t& count);
  // The file's bytes into fd (which stays the caller's).
  EdsError download(const NewFile& file, int fd);
  EdsError remove_from_camera(const NewFile& file);
  EdsError trigger_capture();

  static constexpr int kEventWaitMs = 5;
  static constexpr int kMaxEventsPerDrain = 16;
  // Event checks that fail in a row, whatever the error, before the camera counts as gone.
  static constexpr int kEventFailuresForLoss = 3;

 private:
  // The vendor's code for result; a lost camera ends the session.
  EdsError checked(int result);
  void end_session();
  // Ends the session of a camera that went away; drain_events() reports it.
  void lose(const std::string& why);

  GphotoApi& api_;
  Automounter& automounter_;
  LogSink log_;
  SessionCaptureTarget capture_target_;
  std::set<std::string> released_ports_;
  bool open_ = false;
  bool lost_ = false;  // not reported yet
  uint64_t generation_ = 0;
  int32_t save_to_ = 0;
  int event_failures_ = 0;
};

}  // namespace gphoto
