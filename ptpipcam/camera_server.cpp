#include "camera_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "camera_identity.h"
#include "command_session.h"
#include "ptp_codes.h"

namespace ptpipcam {
namespace {

constexpr int kAcceptPollMs = 50;
constexpr int kBacklog = 16;

}  // namespace

CameraServer::CameraServer(CameraDevice& camera, StatusOutput& output)
    : camera_(camera), output_(output) {}

CameraServer::~CameraServer() {
  close_listener();
  drop_connections();
  std::list<Worker> workers;
  {
    std::lock_guard lock(mutex_);
    workers.swap(workers_);
  }
  for (Worker& worker : workers) worker.thread.join();
}

std::optional<uint16_t> CameraServer::listen(const std::string& host, uint16_t port) {
  host_ = host;
  port_ = port;
  if (!open_listener()) return std::nullopt;
  return port_;
}

bool CameraServer::open_listener() {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port_);
  if (inet_pton(AF_INET, host_.c_str(), &address.sin_addr) != 1) return false;
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, kBacklog) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    output_.error("cannot listen on " + host_ + ":" + std::to_string(port_));
    ::close(fd);
    return false;
  }
  // Switched on again later, the camera comes back on the same port.
  port_ = ntohs(address.sin_port);
  listen_fd_ = fd;
  return true;
}

void CameraServer::close_listener() {
  if (listen_fd_ >= 0) ::close(listen_fd_);
  listen_fd_ = -1;
}

void CameraServer::run(const std::atomic<bool>& stop) {
  while (!stop) {
    reap_finished_workers();
    if (want_listening_ && listen_fd_ < 0 && open_listener()) output_.line("ON");
    if (!want_listening_ && listen_fd_ >= 0) {
      close_listener();
      // A connection accepted before the port closed goes too.
      drop_connections();
      output_.line("OFF");
    }
    if (listen_fd_ < 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kAcceptPollMs));
      continue;
    }
    pollfd ready{listen_fd_, POLLIN, 0};
    if (::poll(&ready, 1, kAcceptPollMs) > 0) accept_one();
  }
}

void CameraServer::accept_one() {
  const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
  // Responses are small packets that must not wait for an acknowledgement of the last one.
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  auto socket = std::make_shared<PacketSocket>(fd);
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::lock_guard lock(mutex_);
  open_sockets_.insert(socket);
  workers_.push_back({std::thread([this, socket, done] {
                        serve(socket);
                        {
                          std::lock_guard inner(mutex_);
                          open_sockets_.erase(socket);
                        }
                        *done = true;
                      }),
                      done});
}

void CameraServer::reap_finished_workers() {
  std::list<Worker> finished;
  {
    std::lock_guard lock(mutex_);
    for (auto it = workers_.begin(); it != workers_.end();) {
      auto next = std::next(it);
      if (*it->done) finished.splice(finished.end(), workers_, it);
      it = next;
    }
  }
  for (Worker& worker : finished) worker.thread.join();
}

void CameraServer::serve(const std::shared_ptr<PacketSocket>& socket) {
  while (auto packet = socket->read_packet()) {
    switch (packet->type) {
      case packet_type::kProbeRequest:
        if (!socket->write_packet(packet_type::kProbeResponse, {})) return;
        continue;
      case packet_type::kInitCommandRequest:
        if (const auto request = parse_init_command_request(packet->payload)) {
          serve_commands(socket, *request);
        }
        return;
      case packet_type::kInitEventRequest:
        if (const auto connection = parse_init_event_request(packet->payload)) {
          serve_events(socket, *connection);
        }
        return;
      default:
        return;
    }
  }
}

void CameraServer::drop_session() {
  if (command_socket_) command_socket_->shut_down();
  if (event_socket_) event_socket_->shut_down();
  command_socket_.reset();
  event_socket_.reset();
  connection_ = 0;
}

void CameraServer::serve_commands(const std::shared_ptr<PacketSocket>& socket,
                                  const InitCommandRequest& request) {
  uint32_t connection = 0;
  {
    std::lock_guard lock(mutex_);
    drop_session();
    connection = next_connection_++;
    connection_ = connection;
    command_socket_ = socket;
  }
  if (socket->write_packet(packet_type::kInitCommandAck,
                           init_command_ack(connection, camera_guid(), kCameraName))) {
    output_.line("CONNECTED " + std::to_string(connection) + " " + request.name);
    CommandSession(*socket, camera_, output_).run();
  }
  {
    std::lock_guard lock(mutex_);
    if (command_socket_ == socket) drop_session();
  }
  output_.line("DISCONNECTED " + std::to_string(connection));
}

void CameraServer::serve_events(const std::shared_ptr<PacketSocket>& socket, uint32_t connection) {
  {
    std::lock_guard lock(mutex_);
    const bool wanted = connection != 0 && connection == connection_ && !event_socket_;
    if (!wanted) {
      socket->write_packet(packet_type::kInitFail, init_fail(init_fail_reason::kRejectedInitiator));
      return;
    }
    event_socket_ = socket;
  }
  // The acknowledgement must be the first packet on the connection, before any event.
  if (!socket->write_packet(packet_type::kInitEventAck, {})) return;
  camera_.events().attach(socket);
  output_.line("EVENTS " + std::to_string(connection));
  while (auto packet = socket->read_packet()) {
    if (packet->type == packet_type::kProbeRequest &&
        !socket->write_packet(packet_type::kProbeResponse, {})) {
      break;
    }
  }
  camera_.events().detach(socket.get());
}

void CameraServer::drop_connections() {
  std::lock_guard lock(mutex_);
  for (const auto& socket : open_sockets_) socket->shut_down();
  drop_session();
}

void CameraServer::unplug() {
  drop_connections();
  output_.line("UNPLUGGED");
}

void CameraServer::switch_off() {
  want_listening_ = false;
}

void CameraServer::switch_on() {
  want_listening_ = true;
}

}  // namespace ptpipcam
