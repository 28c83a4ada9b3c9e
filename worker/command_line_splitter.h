// Cuts the bytes read from standard input, in whatever pieces read(2) returns them, into the
// command lines of the queue.
#pragma once

#include <string>
#include <string_view>

#include "command_queue.h"

class CommandLineSplitter {
 public:
  // Appends `bytes` and queues every line they complete, without its LF. Empty lines are dropped;
  // a CR stays part of its line.
  void feed(std::string_view bytes, CommandQueue& queue);
  // At the end of the input: a last line without its LF still counts.
  void finish(CommandQueue& queue);
  // The bytes after the last LF, waiting for the rest of their line.
  const std::string& pending() const { return pending_; }

 private:
  std::string pending_;
};
