// The bridge's LOG lines on the worker's standard output, shaped like the worker's own.
//
// The library cannot reach the worker's line writer (the worker exports no such function, and
// nothing in the worker is to change for this library), so it writes each line itself the way that
// writer does: the whole line, newline included, in a single write() straight to the descriptor,
// never through stdio's buffer. The worker's lines are single writes too, and a single write of at
// most PIPE_BUF bytes to a pipe is never interleaved with another, so a line is never split by the
// worker's and never splits one of the worker's. Besides, the bridge only runs inside the worker's
// calls on its main thread, the thread that writes nearly all of the worker's lines.
#pragma once

#include <functional>
#include <string>

namespace gphoto {

using LogSink = std::function<void(const std::string& text)>;

// "LOG|[CPP_WORKER] " + text as one line, cut to fit PIPE_BUF; control bytes become spaces.
std::string worker_log_line(const std::string& text);
// Writes worker_log_line(text) to standard output in one write.
void write_worker_log(const std::string& text);

}  // namespace gphoto
