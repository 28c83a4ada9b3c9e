// Keeps the process's standard input open across libgphoto2 calls that may close it.
//
// libgphoto2 2.5.30 ends every PTP/IP session by closing the descriptor of a third socket that
// only Fuji cameras open; for every other camera that "descriptor" is 0, and the worker's command
// pipe is gone. The guard holds a copy of descriptor 0 and puts it back at once when the call
// closed it. The worker's reader thread is blocked in a read of descriptor 0 meanwhile, which a
// close does not end, so it reads on as if nothing happened.
#pragma once

namespace gphoto {

class StdinGuard {
 public:
  StdinGuard();
  ~StdinGuard();
  StdinGuard(const StdinGuard&) = delete;
  StdinGuard& operator=(const StdinGuard&) = delete;

 private:
  int copy_ = -1;
};

}  // namespace gphoto
