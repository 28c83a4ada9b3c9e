// The event connection of the current session, if it has one. Events raised while no initiator
// listens are dropped, as a camera without a host drops them.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

#include "packet_socket.h"

namespace ptpipcam {

class EventChannel {
 public:
  void attach(std::shared_ptr<PacketSocket> socket);
  // Forgets `socket` if it is still the attached one.
  void detach(const PacketSocket* socket);
  // False when no initiator listens or the connection failed.
  bool send(uint16_t code, uint32_t transaction, std::span<const uint32_t> params = {});

 private:
  std::mutex mutex_;
  std::shared_ptr<PacketSocket> socket_;
};

}  // namespace ptpipcam
