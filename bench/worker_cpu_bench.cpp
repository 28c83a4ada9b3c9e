// How much of one core the camera worker uses while a camera is connected and idle, and while
// it watches for captures with no shots coming (the fast 12 ms pump).
//
//   worker_cpu_bench [seconds per phase, default 30]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "child_process.h"

using namespace std::chrono_literals;

namespace {

// User plus system time of a process, in clock ticks.
long long cpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stoll(field);
    if (i == 15) stime = std::stoll(field);
  }
  return utime + stime;
}

double percentOfOneCore(pid_t pid, int seconds) {
  const long long before = cpuTicks(pid);
  const auto start = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return 100.0 * static_cast<double>(cpuTicks(pid) - before) /
         static_cast<double>(sysconf(_SC_CLK_TCK)) / elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const std::string folder = "/tmp/vantrel_cpu_bench_" + std::to_string(getpid());
  std::system(("mkdir -p " + folder).c_str());
  ChildProcess worker(VANTREL_WORKER_PATH, {folder, VANTREL_SIMCAM_PATH, "disk"},
                      {{"VANTREL_CPP_DETECT_STRATEGY", "v21"},
                       {"VANTREL_DIAG", "0"},
                       {"VANTREL_CPP_PUMP_MODE", "both"}});
  if (!worker.wait_for_line("READY|OK", 5s)) return 1;
  worker.send("CONNECT");
  if (!worker.wait_for_line("CONNECTED|OK", 30s)) return 1;
  worker.send("PUMP_IDLE");
  worker.wait_for_line("PUMP_IDLE_READY|OK", 5s);
  const double idle = percentOfOneCore(worker.pid(), seconds);
  worker.send("PUMP_ACTIVE");
  worker.wait_for_line("PUMP_ACTIVE_READY|OK", 5s);
  const double watching = percentOfOneCore(worker.pid(), seconds);
  worker.send("QUIT");
  worker.wait_exit(5s);
  std::system(("rm -rf " + folder).c_str());
  std::printf("worker CPU over %d s per phase (per cent of one core, pump mode both)\n", seconds);
  std::printf("  connected, idle (120 ms pump): %6.2f %%\n", idle);
  std::printf("  watching, no shots (12 ms pump): %6.2f %%\n", watching);
  return 0;
}
