#include "event_channel.h"

#include "ptp_codes.h"
#include "ptpip_messages.h"

namespace ptpipcam {

void EventChannel::attach(std::shared_ptr<PacketSocket> socket) {
  std::lock_guard lock(mutex_);
  socket_ = std::move(socket);
}

void EventChannel::detach(const PacketSocket* socket) {
  std::lock_guard lock(mutex_);
  if (socket_.get() == socket) socket_.reset();
}

bool EventChannel::send(uint16_t code, uint32_t transaction, std::span<const uint32_t> params) {
  std::shared_ptr<PacketSocket> socket;
  {
    std::lock_guard lock(mutex_);
    socket = socket_;
  }
  if (!socket) return false;
  return socket->write_packet(packet_type::kEvent, event_payload(code, transaction, params));
}

}  // namespace ptpipcam
