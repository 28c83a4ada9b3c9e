// Accepts PTP/IP connections on one loopback port. The first packet tells what a connection is:
// an Init Command Request opens a session (a newer one replaces the old, whose connections are
// closed, so a client that died never locks the camera), an Init Event Request with that
// session's connection number becomes its event connection. Each connection is served on a
// thread of its own.
//
// "unplug" closes the connections and keeps listening, so a client can reconnect at once;
// "shutdown" closes them and the port too (connects are refused) until "plug" opens it again.
#pragma once

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "camera_device.h"
#include "packet_socket.h"
#include "ptpip_messages.h"
#include "status_output.h"

namespace ptpipcam {

class CameraServer {
 public:
  CameraServer(CameraDevice& camera, StatusOutput& output);
  // Closes every connection and waits for their threads.
  ~CameraServer();
  CameraServer(const CameraServer&) = delete;
  CameraServer& operator=(const CameraServer&) = delete;

  // Binds and listens; the port bound (port 0 picks a free one), or nothing.
  std::optional<uint16_t> listen(const std::string& host, uint16_t port);
  // Accepts connections until `stop` is set.
  void run(const std::atomic<bool>& stop);

  // Each writes its line (UNPLUGGED, OFF, ON) once done.
  void unplug();
  void switch_off();
  void switch_on();

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };

  bool open_listener();
  void close_listener();
  void accept_one();
  void serve(const std::shared_ptr<PacketSocket>& socket);
  void serve_commands(const std::shared_ptr<PacketSocket>& socket,
                      const InitCommandRequest& request);
  void serve_events(const std::shared_ptr<PacketSocket>& socket, uint32_t connection);
  void drop_session();  // with mutex_ held
  void drop_connections();
  void reap_finished_workers();

  CameraDevice& camera_;
  StatusOutput& output_;

  // Owned by the thread in run(); the others only say what they want.
  int listen_fd_ = -1;
  std::string host_;
  uint16_t port_ = 0;
  std::atomic<bool> want_listening_{true};

  std::mutex mutex_;
  uint32_t next_connection_ = 1;
  uint32_t connection_ = 0;  // the current session's, 0 when there is none
  std::shared_ptr<PacketSocket> command_socket_;
  std::shared_ptr<PacketSocket> event_socket_;
  std::set<std::shared_ptr<PacketSocket>> open_sockets_;
  std::list<Worker> workers_;
};

}  // namespace ptpipcam
