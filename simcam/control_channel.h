// Reads command lines from VANTREL_SIM_CONTROL, which is a FIFO or a regular file.
//
// A FIFO is opened non-blocking and kept open, together with a writer of our own, so that writers
// coming and going never make it report end-of-file; it is open only from EdsInitializeSDK to
// EdsTerminateSDK, so a write outside a run finds no reader. A regular file is read from offset 0
// at every open (so commands written before EdsInitializeSDK count, and re-initialising replays the
// whole file); after that only what was appended since the last read is taken. A file that does not
// exist yet is picked up once it appears; one that shrinks or is replaced is read again from 0.
// Only lines ended by a newline are returned.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace simcam {

class ControlChannel {
 public:
  ControlChannel() = default;
  ~ControlChannel();
  ControlChannel(const ControlChannel&) = delete;
  ControlChannel& operator=(const ControlChannel&) = delete;

  // Empty path: no channel.
  void open(const std::string& path);
  void close();
  // Complete lines that arrived since the last call, without their newlines.
  std::vector<std::string> read_lines();

 private:
  void read_fifo();
  void read_file();

  // A line longer than this without a newline is garbage, not a command.
  static constexpr std::size_t kMaxPending = 64 * 1024;

  std::string path_;
  int fifo_fd_ = -1;
  int fifo_writer_fd_ = -1;
  off_t file_offset_ = 0;
  ino_t file_inode_ = 0;
  std::string pending_;  // bytes read after the last newline
};

}  // namespace simcam
