// vantrel_cpp_worker: the child process that alone talks to the camera library. Commands arrive
// on standard input one line at a time; every answer goes out on standard output.
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <memory>
#include <string>
#include <thread>

#include "canon_cpp_worker.h"
#include "command_line_splitter.h"
#include "command_queue.h"
#include "env_options.h"
#include "line_writer.h"

namespace {

// Reads standard input with plain read(2): a thread blocked in stdio would hold the stream's
// lock while the process exits.
void stdin_reader(CommandQueue* queue, std::atomic<bool>* running) {
  CommandLineSplitter splitter;
  char buffer[4096];
  while (running->load()) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    splitter.feed(std::string_view(buffer, static_cast<size_t>(n)), *queue);
  }
  splitter.finish(*queue);
  running->store(false);
  queue->close();
}

void run_main_loop(CanonCppWorker& worker, CommandQueue& queue, std::atomic<bool>& running) {
  bool quit = false;
  while (!quit) {
    std::string line;
    while (!quit && queue.pop(line)) {
      quit = worker.dispatch(line, queue.size());
    }
    if (quit) break;
    if (!running.load() && queue.empty()) break;
    long long wait_ms = 0;
    if (worker.pump_due(wait_ms)) {
      worker.pump_once_timed(queue.size());
      continue;
    }
    queue.wait_for_work(wait_ms);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  if (argc < 4) {
    out("ERROR|Usage: vantrel_cpp_worker <download_dir> <sdk_path> <save_destination>");
    return 2;
  }
  const std::string download_dir = argv[1];
  const std::string sdk_path = argv[2];
  const std::string save_destination = lower_ascii(argv[3]);

  out("CPP_WORKER|START");
  out("LOG|[CPP_WORKER] v7.27 TERMINATE_ON_FAILED_ENUM_MULTI_STRATEGY");
  out("LOG|[CPP_WORKER] pid=" + std::to_string(getpid()) + " ppid=" + std::to_string(getppid()));
  out("LOG|[CPP_WORKER] download_dir=" + download_dir);
  out("LOG|[CPP_WORKER] sdk_path=" + sdk_path);
  out("LOG|[CPP_WORKER] save_destination=" + save_destination);
  out("LOG|[CPP_WORKER] pump_mode=" + lower_ascii(env_or("VANTREL_CPP_PUMP_MODE", "cf")) +
      " register_state=" + env_or("VANTREL_CPP_REGISTER_STATE_HANDLER", "0") +
      " detect_strategy=" + lower_ascii(env_or("VANTREL_CPP_DETECT_STRATEGY", "matrix")));
  out("READY|OK");

  auto worker = std::make_unique<CanonCppWorker>(download_dir, sdk_path, save_destination);
  // The reader is abandoned at exit, blocked in read(2); it shares ownership of the queue and
  // the flag so that it never touches freed memory.
  auto queue = std::make_shared<CommandQueue>();
  auto running = std::make_shared<std::atomic<bool>>(true);
  std::thread([queue, running] { stdin_reader(queue.get(), running.get()); }).detach();
  run_main_loop(*worker, *queue, *running);
  worker.reset();
  return 0;
}
