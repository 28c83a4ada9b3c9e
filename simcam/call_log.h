// Appends one line per entry-point call to the file named by VANTREL_SIM_LOG, so that black-box
// tests of the worker can check what it called. The file is opened in append mode at every
// EdsInitializeSDK and each line is written with a single write(), so nothing waits in a buffer.
//
// Entry-point lines: the function's name, its fields, then its return value as 0x%08X:
//   NAME=RESULT                    (no fields)
//   NAME FIELD=VALUE ... =RESULT   (fields; the result is always the text after the last " =")
// A call made before initialise or after terminate is logged without fields. A line is written
// when its call returns, so lines for what the call caused come first (a shutter press's "shot"
// line precedes its EdsSendCommand line). EdsGetEvent is the exception: its line comes first,
// then the deliveries it makes and the calls their handlers make.
//   EdsInitializeSDK=0x00000000
//   EdsTerminateSDK=0x00000000
//   EdsGetEvent=0x00000000
//   EdsGetCameraList count=1 =0x00000000
//   EdsGetChildCount kind=camera count=1 =0x00000000
//   EdsGetChildAtIndex kind=camera-list index=0 =0x00000000
//   EdsOpenSession=0x00000000
//   EdsCloseSession=0x00000000
//   EdsRelease kind=directory-item =0x00000000            (result: references left; 0xFFFFFFFF
//                                                           for a bad ref)
//   EdsSendCommand cmd=0x00000004 param=0x00000003 =0x00000000
//   EdsSetPropertyData prop=0x0000000B value=2 =0x00000000 (size=N instead of value=V unless the
//                                                           data is 4 bytes)
//   EdsSetCapacity clusters=2147483647 bytes=4096 reset=1 =0x00000000
//   EdsSetCameraAddedHandler handler=set =0x00000000      (handler=none when cleared)
//   EdsSetObjectEventHandler event=0x00000200 handler=set =0x00000000
//   EdsSetPropertyEventHandler event=0x00000100 handler=set =0x00000000
//   EdsSetCameraStateEventHandler event=0x00000300 handler=set =0x00000000
//   EdsGetDirectoryItemInfo name=IMG_0001.JPG size=200000 =0x00000000
//   EdsCreateFileStream disposition=1 access=2 path=/some/file.JPG =0x00000000
//   EdsDownload name=IMG_0001.JPG size=200000 =0x00000000
//   EdsDownloadComplete name=IMG_0001.JPG =0x00000000
//   EdsDownloadCancel name=IMG_0001.JPG =0x00000000
// kind is camera-list, camera, volume, directory-item, stream, or invalid for a bad ref.
//
// Lines that do not start with "Eds" record what the camera did on its own:
//   control shoot 2                                  a command read from the control channel
//   shot camera=0 number=1 transfer=1                transfer=0: saved to the card only
//   deliver camera-added
//   deliver state event=0x00000301 param=0x00000000
//   deliver object event=0x00000208 name=IMG_0001.JPG
//   run-loop delivered                               after the deliveries of a run-loop poll
//                                                    (none follows those inside EdsGetEvent)
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace simcam {

class CallLog {
 public:
  CallLog() = default;
  ~CallLog();
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;

  // Closes any open file, then appends to path from now on (empty path: log nothing).
  void open(const std::string& path);
  void close();
  void write(std::string_view line);

 private:
  std::mutex mutex_;
  int fd_ = -1;
};

std::string hex32(uint32_t value);

// An entry-point line in the format above.
std::string call_line(std::string_view name, std::string_view fields, uint32_t result);

}  // namespace simcam
