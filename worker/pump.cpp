// Giving the SDK time to deliver camera events, remote capture and the state report.
#include <thread>

#include "canon_cpp_worker.h"
#include "line_writer.h"
#include "run_loop.h"

namespace {

constexpr auto kPumpSleep = std::chrono::milliseconds(20);
constexpr auto kRunLoopSlice = std::chrono::microseconds(1000);
constexpr auto kKeepAliveInterval = std::chrono::seconds(20);

double seconds_since(WorkerClock::time_point start) {
  return std::chrono::duration<double>(WorkerClock::now() - start).count();
}

}  // namespace

EdsError CanonCppWorker::pump_native_once() {
  if (pump_mode == "cf" || pump_mode == "both") {
    RunLoop::main().run_for(kRunLoopSlice, true);
  }
  if ((pump_mode == "edsgetevent" || pump_mode == "both") && sdk.EdsGetEvent != nullptr) {
    return sdk.EdsGetEvent();
  }
  return eds::kOk;
}

void CanonCppWorker::light_pump_for_ms(int32_t milliseconds) {
  if (milliseconds <= 0) return;
  const auto end = WorkerClock::now() + std::chrono::milliseconds(milliseconds);
  while (WorkerClock::now() < end) {
    pump_native_once();
    std::this_thread::sleep_for(kPumpSleep);
  }
}

void CanonCppWorker::pump_once_timed(size_t queued_commands) {
  if (!connected || !pump_enabled.load()) return;
  const uint64_t pump_id = ++pump_count;
  const auto start = WorkerClock::now();
  if (verbose) {
    out("LOG|[CPP_WORKER] CanonPump ENTER pump_id=" + std::to_string(pump_id) +
        " mode=" + pump_mode + " downloads=" + std::to_string(download_count) +
        " cmd_qsize=" + std::to_string(queued_commands));
  }
  const EdsError err = pump_native_once();
  last_pump = WorkerClock::now();
  const double elapsed = std::chrono::duration<double>(last_pump - start).count();
  if (verbose || elapsed >= 1.0) {
    out("LOG|[CPP_WORKER] CanonPump EXIT pump_id=" + std::to_string(pump_id) + " elapsed=" +
        fixed3(elapsed) + "s err=" + hex_err(err) + " downloads=" + std::to_string(download_count));
  }
  if (elapsed >= 2.0) {
    out("TRANSFER_STALL|elapsed=" + fixed2(elapsed) + "|pump_id=" + std::to_string(pump_id) +
        "|mode=" + pump_mode + "|downloads=" + std::to_string(download_count));
    out("LOG|[CPP_WORKER] Pump blocked for " + fixed2(elapsed) +
        "s inside the SDK's event acquisition.");
  }
  // The camera powers itself off after a while without traffic; extend its timer now and then.
  if (connected && camera != nullptr && sdk.EdsSendCommand != nullptr &&
      WorkerClock::now() - last_keepalive > kKeepAliveInterval) {
    sdk.EdsSendCommand(camera, eds::kCameraCommandExtendShutDownTimer, 0);
    last_keepalive = WorkerClock::now();
  }
}

void CanonCppWorker::set_pump_active(bool active) {
  capture_enabled.store(active ? connected : false);
  pump_enabled.store(connected);
  pump_interval_ms = active ? 12 : 120;
  out(active ? "PUMP_ACTIVE_READY|OK" : "PUMP_IDLE_READY|OK");
  out(std::string("LOG|[CPP_WORKER] pump_enabled=") + (active ? "1" : "0") +
      " capture_enabled=" + (capture_enabled.load() ? "1" : "0") + " mode=" + pump_mode +
      " interval_ms=" + std::to_string(pump_interval_ms));
}

bool CanonCppWorker::remote_capture(bool without_autofocus) {
  if (!connected || camera == nullptr) {
    out("ERROR|Camera is not connected.");
    return false;
  }
  const int32_t press =
      without_autofocus ? eds::kShutterButtonCompletelyNonAF : eds::kShutterButtonCompletely;
  EdsError err = sdk.EdsSendCommand(camera, eds::kCameraCommandPressShutterButton, press);
  out("LOG|[CPP_WORKER] EdsSendCommand(ShutterDown)=" + hex_err(err));
  if (err == eds::kOk) {
    err = sdk.EdsSendCommand(camera, eds::kCameraCommandPressShutterButton, eds::kShutterButtonOff);
    out("LOG|[CPP_WORKER] EdsSendCommand(ShutterOff)=" + hex_err(err));
  }
  if (err != eds::kOk) {
    out("ERROR|Remote capture failed: " + hex_err(err));
    return false;
  }
  out("REMOTE_CAPTURED|OK");
  return true;
}

void CanonCppWorker::diag(size_t queued_commands) const {
  out(std::string("DIAG|connected=") + (connected ? "1" : "0") +
      "|pump_enabled=" + (pump_enabled.load() ? "1" : "0") +
      "|capture_enabled=" + (capture_enabled.load() ? "1" : "0") + "|pump_mode=" + pump_mode +
      "|downloads=" + std::to_string(download_count) +
      "|cmd_qsize=" + std::to_string(queued_commands) +
      "|last_download_age=" + fixed2(seconds_since(last_download)));
}
