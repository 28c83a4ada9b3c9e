// The camera's report on standard output, one whole line per write and flushed at once, so a
// test reading it sees each line as soon as it happens. Safe from several threads.
//
// Lines: LISTENING <port>; CONNECTED <connection> <initiator name>; EVENTS <connection>;
// DISCONNECTED <connection>; ADDED <path> <bytes>; DELETED <path>; UNPLUGGED; OFF; ON.
#pragma once

#include <mutex>
#include <string>

namespace ptpipcam {

class StatusOutput {
 public:
  explicit StatusOutput(bool verbose) : verbose_(verbose) {}

  void line(const std::string& text);
  // A trace of the protocol on standard error, with --verbose only.
  void trace(const std::string& text);
  void error(const std::string& text);

 private:
  bool verbose_;
  std::mutex mutex_;
};

}  // namespace ptpipcam
