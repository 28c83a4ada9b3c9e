#include "ptpip_test_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <stdexcept>

#include "byte_reader.h"
#include "byte_writer.h"
#include "ptp_codes.h"

using namespace ptpipcam;

namespace {

constexpr timeval kReceiveTimeLimit{10, 0};

std::vector<uint32_t> remaining_params(ByteReader& reader) {
  std::vector<uint32_t> params;
  while (reader.remaining() >= 4) params.push_back(reader.u32());
  return params;
}

}  // namespace

PtpipTestClient::PtpipTestClient(uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  socket_ = std::make_unique<PacketSocket>(fd);
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &kReceiveTimeLimit, sizeof kReceiveTimeLimit);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("connect failed");
  }
}

std::optional<uint32_t> PtpipTestClient::init_command() {
  ByteWriter request;
  for (uint8_t i = 0; i < 16; ++i) request.u8(i);
  request.nul_terminated_utf16("test-client");
  request.u32(0x00010000);
  socket_->write_packet(packet_type::kInitCommandRequest, request.data());
  const auto ack = socket_->read_packet();
  if (!ack || ack->type != packet_type::kInitCommandAck) return std::nullopt;
  ByteReader reader(ack->payload);
  return reader.u32();
}

std::optional<uint32_t> PtpipTestClient::init_events(uint32_t connection) {
  ByteWriter request;
  request.u32(connection);
  socket_->write_packet(packet_type::kInitEventRequest, request.data());
  const auto answer = socket_->read_packet();
  if (!answer) return std::nullopt;
  return answer->type;
}

OperationResult PtpipTestClient::transact(uint16_t code, const std::vector<uint32_t>& params,
                                          const std::optional<std::vector<uint8_t>>& out_data) {
  const uint32_t transaction = ++transaction_;
  ByteWriter request;
  request.u32(out_data ? data_phase::kOut : data_phase::kNoneOrIn);
  request.u16(code);
  request.u32(transaction);
  for (const uint32_t p : params) request.u32(p);
  socket_->write_packet(packet_type::kOperationRequest, request.data());
  if (out_data) {
    ByteWriter start;
    start.u32(transaction);
    start.u64(out_data->size());
    socket_->write_packet(packet_type::kStartData, start.data());
    ByteWriter head;
    head.u32(transaction);
    socket_->write_packet(packet_type::kEndData, head.data(), *out_data);
  }
  OperationResult result;
  while (auto packet = socket_->read_packet()) {
    ByteReader reader(packet->payload);
    if (packet->type == packet_type::kData || packet->type == packet_type::kEndData) {
      if (reader.u32() != transaction) return result;
      result.data.insert(result.data.end(), packet->payload.begin() + 4, packet->payload.end());
    } else if (packet->type == packet_type::kOperationResponse) {
      result.code = reader.u16();
      result.transaction = reader.u32();
      result.params = remaining_params(reader);
      result.complete = reader.ok();
      return result;
    } else if (packet->type != packet_type::kStartData) {
      return result;
    }
  }
  return result;
}

std::optional<ReceivedEvent> PtpipTestClient::next_event() {
  const auto packet = socket_->read_packet();
  if (!packet || packet->type != packet_type::kEvent) return std::nullopt;
  ByteReader reader(packet->payload);
  ReceivedEvent event;
  event.code = reader.u16();
  event.transaction = reader.u32();
  event.params = remaining_params(reader);
  return event;
}
