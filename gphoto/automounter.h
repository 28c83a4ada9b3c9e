// The desktop's automounter, which mounts a camera as soon as it is plugged in and so holds its
// USB interface. The bridge asks it once to let go before it gives up on a busy camera.
#pragma once

#include <string>

namespace gphoto {

class Automounter {
 public:
  virtual ~Automounter() = default;
  // Unmounts the camera on `port` (a libgphoto2 port such as "usb:001,005"); returns what was
  // done, for a log line.
  virtual std::string release(const std::string& port) = 0;
};

}  // namespace gphoto
