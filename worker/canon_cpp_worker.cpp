#include "canon_cpp_worker.h"

#include <vector>

#include "env_options.h"
#include "line_writer.h"

namespace {

// Splits at every bar: an empty field between two bars counts, a final bar adds no empty field.
std::vector<std::string> split_fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string current;
  for (char c : line) {
    if (c == '|') {
      fields.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty() || fields.empty()) fields.push_back(current);
  return fields;
}

}  // namespace

CanonCppWorker::CanonCppWorker(std::string download_dir_arg, std::string sdk_path_arg,
                               std::string save_destination_arg)
    : download_dir(std::move(download_dir_arg)),
      sdk_path(std::move(sdk_path_arg)),
      save_destination(lower_ascii(std::move(save_destination_arg))),
      start_save_destination(save_destination),
      last_keepalive(WorkerClock::now()),
      last_pump(last_keepalive),
      last_download(last_keepalive) {
  pump_mode = normalize_pump_mode(env_or("VANTREL_CPP_PUMP_MODE", "cf"));
  if (env_bool("VANTREL_VERBOSE_LOGS", false)) {
    verbose = true;
  } else {
    verbose = env_bool("VANTREL_DIAG", true);
  }
  register_state_handler = env_bool("VANTREL_CPP_REGISTER_STATE_HANDLER", false);
  terminate_sdk_on_mac = env_bool("VANTREL_CPP_TERMINATE_SDK_ON_MAC", false);
  terminate_on_failed_enum_mac = env_bool("VANTREL_CPP_TERMINATE_ON_FAILED_ENUM_MAC", true);
  detect_strategy = normalize_detect_strategy(env_or("VANTREL_CPP_DETECT_STRATEGY", "v21"));
}

CanonCppWorker::~CanonCppWorker() {
  full_sdk_reset(false);
}

std::string CanonCppWorker::fixed2(double value) {
  return fixed_decimals(value, 2);
}
std::string CanonCppWorker::fixed3(double value) {
  return fixed_decimals(value, 3);
}

bool CanonCppWorker::pump_due(long long& wait_ms) const {
  if (!connected || !pump_enabled.load()) {
    wait_ms = 1000;
    return false;
  }
  const auto due = last_pump + std::chrono::milliseconds(pump_interval_ms);
  const auto now = WorkerClock::now();
  if (now >= due) {
    wait_ms = 0;
    return true;
  }
  wait_ms = std::chrono::duration_cast<std::chrono::milliseconds>(due - now).count() + 1;
  return false;
}

bool CanonCppWorker::dispatch(const std::string& line, size_t queued_commands) {
  out("LOG|[CPP_WORKER] COMMAND " + line);
  const std::vector<std::string> fields = split_fields(line);
  const std::string command = upper_ascii(fields[0]);
  const bool has_argument = fields.size() >= 2;
  const std::string argument = has_argument ? fields[1] : std::string();
  // The start-up mode, not the most recently set one, stands in for a missing argument.
  const std::string& mode_argument = has_argument ? argument : start_save_destination;

  auto disconnect = [this] {
    capture_enabled.store(false);
    pump_enabled.store(false);
    connected = false;
    full_sdk_reset(true);
  };

  if (command == "CONNECT") {
    connect(mode_argument);
  } else if (command == "DISCONNECT") {
    disconnect();
  } else if (command == "RESET") {
    disconnect();
    out("RESET|Worker exiting");
    return true;
  } else if (command == "QUIT") {
    disconnect();
    out("QUIT|Worker exiting");
    return true;
  } else if (command == "PRIME") {
    out("PRIME_DONE|OK");
  } else if (command == "SET_SAVE_DEST" || command == "SET_SAVE_DESTINATION" ||
             command == "SAVE_DEST") {
    set_save_to(mode_argument);
  } else if (command == "SET_DOWNLOAD_DIR") {
    if (has_argument) set_download_dir(argument);
  } else if (command == "REMOTE_CAPTURE" || command == "CAPTURE") {
    remote_capture(false);
  } else if (command == "REMOTE_CAPTURE_NONAF" || command == "CAPTURE_NONAF") {
    remote_capture(true);
  } else if (command == "PUMP_ACTIVE") {
    set_pump_active(true);
  } else if (command == "PUMP_IDLE" || command == "PUMP_PAUSE" || command == "PUMP_STOP") {
    set_pump_active(false);
  } else if (command == "DIAG") {
    diag(queued_commands);
  } else {
    out("ERROR|Unknown command: " + line);
  }
  return false;
}
