// A bare PTP/IP initiator for the protocol cases the gphoto2 client never makes: one connection,
// with a receive time limit so a camera that does not answer fails the test instead of hanging it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "packet_socket.h"

struct OperationResult {
  bool complete = false;  // a response came, after a well-formed data phase if any
  uint16_t code = 0;
  uint32_t transaction = 0;
  std::vector<uint32_t> params;
  std::vector<uint8_t> data;
};

struct ReceivedEvent {
  uint16_t code = 0;
  uint32_t transaction = 0;
  std::vector<uint32_t> params;
};

class PtpipTestClient {
 public:
  explicit PtpipTestClient(uint16_t port);

  ptpipcam::PacketSocket& socket() { return *socket_; }
  // Sends an Init Command Request; the connection number of the ack, or nothing.
  std::optional<uint32_t> init_command();
  // Sends an Init Event Request naming `connection`; the type of the answer packet.
  std::optional<uint32_t> init_events(uint32_t connection);
  // One transaction; with `out_data` the initiator sends it in a data phase.
  OperationResult transact(uint16_t code, const std::vector<uint32_t>& params,
                           const std::optional<std::vector<uint8_t>>& out_data = std::nullopt);
  std::optional<ReceivedEvent> next_event();

 private:
  std::unique_ptr<ptpipcam::PacketSocket> socket_;
  uint32_t transaction_ = 0;
};
