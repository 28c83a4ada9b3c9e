// The payloads of the PTP/IP packets this camera reads and writes (everything after the 8-byte
// packet header; see packet_socket.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ptpipcam {

using Guid = std::array<uint8_t, 16>;

// PTP/IP 1.0: minor version in the low 16 bits, major in the high.
constexpr uint32_t kProtocolVersion = 0x00010000;
// An operation request or response carries at most five parameters, an event three.
constexpr std::size_t kMaxOperationParams = 5;
constexpr std::size_t kMaxEventParams = 3;

struct InitCommandRequest {
  Guid guid{};
  std::string name;  // the initiator's friendly name
  uint32_t version = 0;
};

struct OperationRequest {
  uint32_t data_phase = 0;
  uint16_t code = 0;
  uint32_t transaction = 0;
  std::vector<uint32_t> params;
};

std::optional<InitCommandRequest> parse_init_command_request(std::span<const uint8_t> payload);
// The connection number an Init Event Request names.
std::optional<uint32_t> parse_init_event_request(std::span<const uint8_t> payload);
// Nothing when the payload is too short or has more than five parameters.
std::optional<OperationRequest> parse_operation_request(std::span<const uint8_t> payload);
// The transaction a Start Data, Data, End Data or Cancel packet belongs to.
std::optional<uint32_t> parse_transaction(std::span<const uint8_t> payload);

std::vector<uint8_t> init_command_ack(uint32_t connection, const Guid& guid,
                                      std::string_view camera_name);
std::vector<uint8_t> init_fail(uint32_t reason);
std::vector<uint8_t> operation_response(uint16_t code, uint32_t transaction,
                                        std::span<const uint32_t> params);
std::vector<uint8_t> event_payload(uint16_t code, uint32_t transaction,
                                   std::span<const uint32_t> params);
std::vector<uint8_t> start_data(uint32_t transaction, uint64_t total_bytes);
// What precedes the data bytes in a Data or End Data packet.
std::vector<uint8_t> data_head(uint32_t transaction);

}  // namespace ptpipcam
