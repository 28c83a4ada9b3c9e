#include "control_file_watcher.h"

#include <chrono>

#include "control_channel.h"

namespace ptpipcam {
namespace {

constexpr std::chrono::milliseconds kPollInterval(20);

}  // namespace

ControlFileWatcher::ControlFileWatcher(std::filesystem::path file, Handler handler,
                                       StatusOutput& output)
    : file_(std::move(file)), handler_(std::move(handler)), output_(output) {
  thread_ = std::jthread([this](const std::stop_token& stop) { run(stop); });
}

ControlFileWatcher::~ControlFileWatcher() {
  thread_.request_stop();
  if (thread_.joinable()) thread_.join();
}

void ControlFileWatcher::run(const std::stop_token& stop) {
  simcam::ControlChannel channel;
  channel.open(file_.string());
  while (!stop.stop_requested()) {
    for (const std::string& line : channel.read_lines()) {
      if (const auto command = simcam::parse_control_command(line)) {
        handler_(*command);
      } else if (line.find_first_not_of(" \t\r") != std::string::npos) {
        output_.error("unknown control line: " + line);
      }
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace ptpipcam
