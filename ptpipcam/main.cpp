// vantrel_ptpip_camera: a camera speaking PTP/IP on a loopback port, for testing what drives
// cameras through libgphoto2 (see camera_options.h for the command line).
//
// It runs until SIGINT or SIGTERM, or, when its standard input is a pipe, until that pipe is
// closed: a test that started it cannot leave it behind.

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

#include "camera_device.h"
#include "camera_options.h"
#include "camera_server.h"
#include "control_file_watcher.h"
#include "status_output.h"

namespace {

std::atomic<bool> g_stop{false};

void request_stop(int) {
  g_stop = true;
}

void install_signal_handlers() {
  struct sigaction action {};
  action.sa_handler = request_stop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

bool stdin_is_pipe() {
  struct stat info {};
  return fstat(STDIN_FILENO, &info) == 0 && S_ISFIFO(info.st_mode);
}

// Ends the camera once nobody holds the other end of its standard input.
void watch_stdin(const std::stop_token& stop) {
  char buffer[256];
  while (!stop.stop_requested()) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 100) <= 0) continue;
    if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
      g_stop = true;
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ptpipcam;
  const ParsedOptions parsed = parse_camera_options({argv + 1, argv + argc});
  if (!parsed.options) {
    std::fprintf(stderr,
                 "vantrel_ptpip_camera: %s\nusage: vantrel_ptpip_camera --listen 127.0.0.1:PORT "
                 "[--control FILE] [--image-bytes N] [--raw] [--dump-dir DIR] [--verbose]\n",
                 parsed.error.c_str());
    return 2;
  }
  const CameraOptions& options = *parsed.options;
  install_signal_handlers();

  StatusOutput output(options.verbose);
  CameraDevice camera(options, output);
  CameraServer server(camera, output);
  const auto port = server.listen(options.host, options.port);
  if (!port) return 1;
  output.line("LISTENING " + std::to_string(*port));

  std::unique_ptr<ControlFileWatcher> watcher;
  if (!options.control_file.empty()) {
    watcher = std::make_unique<ControlFileWatcher>(
        options.control_file,
        [&](const simcam::ControlCommand& command) {
          using Kind = simcam::ControlCommand::Kind;
          switch (command.kind) {
            case Kind::Shoot:
              for (int i = 0; i < command.count; ++i) camera.shoot();
              break;
            case Kind::Unplug:
              server.unplug();
              break;
            case Kind::Shutdown:
              server.switch_off();
              break;
            case Kind::Plug:
              server.switch_on();
              break;
          }
        },
        output);
  }
  std::jthread stdin_watch;
  if (stdin_is_pipe()) stdin_watch = std::jthread(watch_stdin);

  server.run(g_stop);
  // The watcher drives the server: it stops first.
  watcher.reset();
  return 0;
}
