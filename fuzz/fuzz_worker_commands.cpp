// The worker's command side: the bytes the application writes to its standard input, cut into
// lines by the reader, and every line run through CanonCppWorker::dispatch.
//
// The worker here never reaches a camera library: its library path names a file that does not
// exist inside a private temporary folder, so CONNECT ends at the failed dlopen. Its output
// (standard output, descriptor 1) goes to /dev/null. Commands that could name a folder outside
// the private one are skipped, and so are CONNECTs beyond a budget; see `admit`. No command here
// sleeps: without a library, CONNECT returns right after the failed dlopen, and the session's
// waits (busy camera, discovery passes) need a camera.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "canon_cpp_worker.h"
#include "command_line_splitter.h"
#include "command_queue.h"
#include "env_options.h"
#include "fuzz_support.h"

namespace fs = std::filesystem;

namespace {

// More commands than the application ever sends at once; keeps every input quick.
constexpr size_t kMaxCommandsPerInput = 64;

// Every CONNECT arms the start-up watchdog: a thread that sleeps for the time-out (at least four
// seconds) before it looks whether the start-up finished. Thousands of inputs a second would
// pile up thousands of sleeping threads, so only the first CONNECTs of a process run; a CONNECT
// input found faulty still runs when replayed on its own.
int connectBudget = 100;

fs::path privateDir;
std::string missingLibrary;

std::deque<std::string> drain(CommandQueue& queue) {
  std::deque<std::string> lines;
  for (std::string line; queue.pop(line);) lines.push_back(std::move(line));
  return lines;
}

// The command word as dispatch reads it: the first field, upper-cased.
std::string commandOf(const std::string& line) {
  return upper_ascii(line.substr(0, line.find('|')));
}

// Whether `line` may run here, perhaps rewritten so that it stays inside the private folder.
bool admit(std::string& line) {
  const std::string command = commandOf(line);
  if (command == "SET_DOWNLOAD_DIR") {
    // The worker creates its download folder when a photo arrives. No photo arrives without a
    // camera, but a folder outside the private one must not even be named: only an empty
    // argument, or one starting with "@/", which stands for the private folder, runs.
    const size_t bar = line.find('|');
    if (bar == std::string::npos) return true;
    const size_t end = line.find('|', bar + 1);
    const std::string argument =
        line.substr(bar + 1, end == std::string::npos ? end : end - bar - 1);
    if (argument.empty()) return true;
    if (!argument.starts_with("@/")) return false;
    for (const auto& part : fs::path(argument)) {
      if (part == "..") return false;
    }
    line = line.substr(0, bar + 1) + privateDir.string() + argument.substr(1) +
           (end == std::string::npos ? std::string() : line.substr(end));
    return true;
  }
  if (command == "CONNECT") {
    if (connectBudget == 0) return false;
    --connectBudget;
  }
  return true;
}

void checkLines(const std::deque<std::string>& lines) {
  for (const auto& line : lines) {
    FUZZ_CHECK(!line.empty());
    FUZZ_CHECK(line.find('\n') == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The worker's options come from the environment: the same input must do the same thing
  // whatever the shell that started the fuzzer holds.
  std::vector<std::string> names;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string assignment = *entry;
    if (assignment.starts_with("VANTREL_"))
      names.push_back(assignment.substr(0, assignment.find('=')));
  }
  for (const auto& name : names) ::unsetenv(name.c_str());
  ::setenv("VANTREL_CPP_SDK_STARTUP_TIMEOUT", "4", 1);  // the shortest the worker allows

  privateDir = fuzz::privateTempDir("worker");
  missingLibrary = (privateDir / "no-such-folder" / "libEDSDK.so").string();

  const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (devNull < 0 || ::dup2(devNull, STDOUT_FILENO) < 0) std::abort();
  ::close(devNull);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::asText(data, size);

  // The reader: the same lines whether the bytes come in one read or in many.
  CommandQueue whole;
  CommandLineSplitter wholeSplitter;
  wholeSplitter.feed(bytes, whole);
  CommandQueue pieces;
  CommandLineSplitter piecesSplitter;
  for (const std::string_view piece : fuzz::piecesOf(bytes)) piecesSplitter.feed(piece, pieces);
  FUZZ_CHECK(wholeSplitter.pending() == piecesSplitter.pending());
  const std::deque<std::string> complete = drain(whole);
  FUZZ_CHECK(drain(pieces) == complete);
  checkLines(complete);

  // Only the bytes after the last LF wait, and at the end they count as a line of their own.
  const size_t lastNewline = bytes.rfind('\n');
  FUZZ_CHECK(wholeSplitter.pending() ==
             bytes.substr(lastNewline == std::string_view::npos ? 0 : lastNewline + 1));
  wholeSplitter.finish(whole);
  FUZZ_CHECK(wholeSplitter.pending().empty());
  std::deque<std::string> lines = complete;
  for (std::string& last : drain(whole)) lines.push_back(std::move(last));
  FUZZ_CHECK(lines.size() <= complete.size() + 1);
  checkLines(lines);

  // Nothing lost, nothing added: the lines are the input cut at its LFs, empty pieces dropped.
  std::string rejoined;
  for (const auto& line : lines) rejoined += line + '\n';
  std::string expected;
  for (size_t start = 0; start <= bytes.size();) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    if (end > start) (expected += bytes.substr(start, end - start)) += '\n';
    start = end + 1;
  }
  FUZZ_CHECK(rejoined == expected);

  // The command loop: each line through dispatch, in order, until one ends the worker.
  CanonCppWorker worker((privateDir / "photos").string(), missingLibrary, "disk");
  CommandQueue queue;
  for (size_t i = 0; i < lines.size() && i < kMaxCommandsPerInput; ++i) queue.push(lines[i]);
  for (std::string line; queue.pop(line);) {
    if (!admit(line)) continue;
    const std::string command = commandOf(line);
    const bool quit = worker.dispatch(line, queue.size());
    FUZZ_CHECK(quit == (command == "QUIT" || command == "RESET"));
    if (quit) break;
  }
  return 0;
}
