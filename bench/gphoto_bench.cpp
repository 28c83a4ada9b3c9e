// A shot through the libgphoto2 bridge on loopback: the worker with libvantrel_gphoto.so and the
// PTP/IP test camera, 25 MB pictures. Time from the camera's ObjectAdded (its "ADDED" line) to the
// worker's DOWNLOADED| line, against reading the same number of bytes from a loopback socket alone.
//
//   gphoto_bench [shots, default 50] [megabytes, default 25]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double median = 0;
  double p99 = 0;
};

Figures figures(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const auto p99_index = static_cast<std::size_t>(0.99 * static_cast<double>(ms.size() - 1) + 0.5);
  return {ms[ms.size() / 2], ms[std::min(p99_index, ms.size() - 1)]};
}

// Milliseconds to read `bytes` from a loopback TCP connection (the sender is another thread).
double loopback_read_ms(std::size_t bytes) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listener, 1);
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  std::thread sender([&] {
    const int out = ::accept(listener, nullptr, nullptr);
    const std::vector<char> chunk(1 << 20, 'x');
    for (std::size_t sent = 0; sent < bytes;) {
      const ssize_t n = ::send(out, chunk.data(), std::min(chunk.size(), bytes - sent), 0);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    ::close(out);
  });
  const int in = ::socket(AF_INET, SOCK_STREAM, 0);
  const auto start = Clock::now();
  ::connect(in, reinterpret_cast<sockaddr*>(&address), sizeof address);
  std::vector<char> buffer(1 << 20);
  for (std::size_t got = 0; got < bytes;) {
    const ssize_t n = ::recv(in, buffer.data(), buffer.size(), 0);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  sender.join();
  ::close(in);
  ::close(listener);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int shots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const std::size_t bytes = (argc > 2 ? std::max(1, std::atoi(argv[2])) : 25) * 1000000ull;
  const fs::path dir =
      fs::temp_directory_path() / ("vantrel_gphoto_bench_" + std::to_string(getpid()));
  fs::create_directories(dir / "download");
  fs::create_directories(dir / "home");
  const fs::path control = dir / "control";
  std::ofstream(control).flush();

  ChildProcess camera(VANTREL_PTPIP_CAMERA_PATH,
                      {"--listen", "127.0.0.1:0", "--control", control.string(), "--image-bytes",
                       std::to_string(bytes)});
  const auto listening = camera.wait_for_prefix("LISTENING ", 10s);
  if (!listening) return 1;
  const std::string port = listening->substr(10);
  ChildProcess worker(VANTREL_WORKER_PATH,
                      {(dir / "download").string(), VANTREL_GPHOTO_PATH, "both"},
                      {{"VANTREL_CPP_DETECT_STRATEGY", "v21"},
                       {"VANTREL_DIAG", "0"},
                       {"VANTREL_GPHOTO_PORT", "ptpip:127.0.0.1:" + port + ":" + port},
                       {"HOME", (dir / "home").string()}});
  if (!worker.wait_for_line("READY|OK", 5s)) return 1;
  worker.send("CONNECT");
  if (!worker.wait_for_line("CONNECTED|OK", 30s)) return 1;
  worker.send("PUMP_ACTIVE");
  if (!worker.wait_for_line("PUMP_ACTIVE_READY|OK", 5s)) return 1;

  std::vector<double> bridge_ms;
  std::vector<double> socket_ms;
  for (int shot = 1; shot <= shots; ++shot) {
    std::ofstream(control, std::ios::app) << "shoot\n";
    if (!camera.wait_for_prefix("ADDED ", 30s)) return 1;
    const auto added = Clock::now();
    const auto downloaded = worker.wait_for_prefix("DOWNLOADED|", 60s);
    if (!downloaded) return 1;
    bridge_ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - added).count());
    // "DOWNLOADED|<path>|id=<event>"
    fs::remove(downloaded->substr(11, downloaded->rfind("|id=") - 11));
    socket_ms.push_back(loopback_read_ms(bytes));
  }
  worker.send("QUIT");
  worker.wait_exit(10s);
  fs::remove_all(dir);

  const Figures bridge = figures(bridge_ms);
  const Figures socket = figures(socket_ms);
  std::printf("  %d shots of %.0f MB through libgphoto2 over PTP/IP on loopback\n", shots,
              static_cast<double>(bytes) / 1e6);
  std::printf("  %-44s median %8.1f ms   p99 %8.1f ms\n", "ObjectAdded to DOWNLOADED| (bridge)",
              bridge.median, bridge.p99);
  std::printf("  %-44s median %8.1f ms   p99 %8.1f ms\n", "same bytes read from a loopback socket",
              socket.median, socket.p99);
  std::printf("  ratio (bridge / socket)                      median %8.2fx   p99 %8.2fx\n",
              bridge.median / socket.median, bridge.p99 / socket.p99);
  return 0;
}
