#include "ptpip_messages.h"

#include <algorithm>

#include "byte_reader.h"
#include "byte_writer.h"

namespace ptpipcam {
namespace {

std::vector<uint8_t> code_transaction_params(uint16_t code, uint32_t transaction,
                                             std::span<const uint32_t> params) {
  ByteWriter writer;
  writer.u16(code);
  writer.u32(transaction);
  for (const uint32_t p : params) writer.u32(p);
  return writer.take();
}

std::vector<uint8_t> u32_payload(uint32_t value) {
  ByteWriter writer;
  writer.u32(value);
  return writer.take();
}

std::optional<uint32_t> leading_u32(std::span<const uint8_t> payload) {
  ByteReader reader(payload);
  const uint32_t value = reader.u32();
  if (!reader.ok()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<InitCommandRequest> parse_init_command_request(std::span<const uint8_t> payload) {
  ByteReader reader(payload);
  InitCommandRequest request;
  for (uint8_t& byte : request.guid) byte = reader.u8();
  request.name = reader.nul_terminated_utf16();
  request.version = reader.u32();
  if (!reader.ok()) return std::nullopt;
  return request;
}

std::optional<uint32_t> parse_init_event_request(std::span<const uint8_t> payload) {
  return leading_u32(payload);
}

std::optional<OperationRequest> parse_operation_request(std::span<const uint8_t> payload) {
  ByteReader reader(payload);
  OperationRequest request;
  request.data_phase = reader.u32();
  request.code = reader.u16();
  request.transaction = reader.u32();
  if (!reader.ok()) return std::nullopt;
  // The parameter count is whatever the packet length leaves room for.
  const std::size_t count = reader.remaining() / 4;
  if (count > kMaxOperationParams) return std::nullopt;
  for (std::size_t i = 0; i < count; ++i) request.params.push_back(reader.u32());
  return request;
}

std::optional<uint32_t> parse_transaction(std::span<const uint8_t> payload) {
  return leading_u32(payload);
}

std::vector<uint8_t> init_command_ack(uint32_t connection, const Guid& guid,
                                      std::string_view camera_name) {
  ByteWriter writer;
  writer.u32(connection);
  writer.bytes(guid);
  writer.nul_terminated_utf16(camera_name);
  writer.u32(kProtocolVersion);
  return writer.take();
}

std::vector<uint8_t> init_fail(uint32_t reason) {
  return u32_payload(reason);
}

std::vector<uint8_t> operation_response(uint16_t code, uint32_t transaction,
                                        std::span<const uint32_t> params) {
  return code_transaction_params(code, transaction,
                                 params.first(std::min(params.size(), kMaxOperationParams)));
}

std::vector<uint8_t> event_payload(uint16_t code, uint32_t transaction,
                                   std::span<const uint32_t> params) {
  return code_transaction_params(code, transaction,
                                 params.first(std::min(params.size(), kMaxEventParams)));
}

std::vector<uint8_t> start_data(uint32_t transaction, uint64_t total_bytes) {
  ByteWriter writer;
  writer.u32(transaction);
  writer.u64(total_bytes);
  return writer.take();
}

std::vector<uint8_t> data_head(uint32_t transaction) {
  return u32_payload(transaction);
}

}  // namespace ptpipcam
