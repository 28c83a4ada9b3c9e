#include "command_session.h"

#include <algorithm>
#include <cstdio>

#include "byte_writer.h"
#include "camera_identity.h"
#include "ptp_codes.h"

namespace ptpipcam {
namespace {

uint32_t param(const std::vector<uint32_t>& params, std::size_t index) {
  return index < params.size() ? params[index] : 0;
}

std::string hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04x", value);
  return text;
}

std::string describe(const OperationRequest& request) {
  std::string text = "operation " + hex(request.code) + " transaction " +
                     std::to_string(request.transaction) + " (";
  for (std::size_t i = 0; i < request.params.size(); ++i) {
    text += (i ? ", " : "") + hex(request.params[i]);
  }
  return text + ")";
}

}  // namespace

CommandSession::CommandSession(PacketSocket& socket, CameraDevice& camera, StatusOutput& output)
    : socket_(socket), camera_(camera), output_(output) {}

CommandSession::Reply CommandSession::status(uint16_t code, std::vector<uint32_t> params) {
  Reply reply;
  reply.code = code;
  reply.params = std::move(params);
  return reply;
}

CommandSession::Reply CommandSession::with_data(std::vector<uint8_t> bytes) {
  Reply reply = status(rc::kOk);
  reply.data_length = bytes.size();
  reply.data = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  return reply;
}

CommandSession::Reply CommandSession::with_array(const std::vector<uint32_t>& values) {
  ByteWriter writer;
  writer.u32_array(values);
  return with_data(writer.take());
}

void CommandSession::run() {
  while (auto packet = socket_.read_packet()) {
    if (packet->type == packet_type::kProbeRequest) {
      if (!socket_.write_packet(packet_type::kProbeResponse, {})) return;
      continue;
    }
    // A cancel for a transaction already answered, or anything else out of turn: nothing to do.
    if (packet->type != packet_type::kOperationRequest) continue;
    const auto request = parse_operation_request(packet->payload);
    if (!request || !serve(*request)) return;
  }
}

bool CommandSession::serve(const OperationRequest& request) {
  output_.trace(describe(request));
  // Nothing this camera answers takes data from the initiator.
  const bool data_in = request.data_phase == data_phase::kOut;
  if (data_in && !skip_incoming_data()) return false;
  const Reply reply = data_in ? status(rc::kOperationNotSupported) : answer(request);
  if (reply.data &&
      !send_data(request.transaction,
                 std::span(*reply.data).subspan(reply.data_offset, reply.data_length))) {
    return false;
  }
  output_.trace("response " + hex(reply.code));
  if (!socket_.write_packet(packet_type::kOperationResponse,
                            operation_response(reply.code, request.transaction, reply.params))) {
    return false;
  }
  if (reply.shoot_after) {
    camera_.shoot();
    camera_.events().send(event::kCaptureComplete, request.transaction);
  }
  return true;
}

CommandSession::Reply CommandSession::answer(const OperationRequest& request) {
  const std::vector<uint32_t>& p = request.params;
  if (request.code == op::kGetDeviceInfo) {
    return with_data(encode_device_info(device_info(camera_.raw())));
  }
  if (request.code == op::kOpenSession) return open_session(p);
  if (!session_open_) {
    const bool known = std::ranges::count(device_info(camera_.raw()).operations, request.code) > 0;
    return status(known ? rc::kSessionNotOpen : rc::kOperationNotSupported);
  }
  switch (request.code) {
    case op::kCloseSession:
      session_open_ = false;
      return status(rc::kOk);
    case op::kGetStorageIds:
      return with_array({ObjectStore::kStorageId});
    case op::kGetStorageInfo:
      if (param(p, 0) != ObjectStore::kStorageId) return status(rc::kInvalidStorageId);
      return with_data(encode_storage_info(
          storage_info(camera_.store().used_bytes(), camera_.bytes_per_shot())));
    case op::kGetNumObjects:
    case op::kGetObjectHandles:
      return object_handles(request.code, p);
    case op::kGetObjectInfo: {
      const auto object = camera_.store().find(param(p, 0));
      if (!object) return status(rc::kInvalidObjectHandle);
      return with_data(encode_object_info(object_info(*object)));
    }
    case op::kGetObject:
    case op::kGetPartialObject:
    case op::kGetThumb:
      return object_data(request.code, p);
    case op::kDeleteObject:
      return delete_object(p);
    case op::kInitiateCapture: {
      const uint32_t storage = param(p, 0);
      if (storage != 0 && storage != ObjectStore::kStorageId) return status(rc::kInvalidStorageId);
      Reply reply = status(rc::kOk);
      reply.shoot_after = true;
      return reply;
    }
    case op::kGetDevicePropDesc:
    case op::kGetDevicePropValue:
      return property(request.code, p);
    default:
      return status(rc::kOperationNotSupported);
  }
}

CommandSession::Reply CommandSession::open_session(const std::vector<uint32_t>& params) {
  if (session_open_) return status(rc::kSessionAlreadyOpen, {session_id_});
  if (param(params, 0) == 0) return status(rc::kInvalidParameter);
  session_open_ = true;
  session_id_ = param(params, 0);
  return status(rc::kOk);
}

CommandSession::Reply CommandSession::object_handles(uint16_t code,
                                                     const std::vector<uint32_t>& params) {
  const uint32_t storage = param(params, 0);
  if (storage != kAllStorages && storage != ObjectStore::kStorageId) {
    return status(rc::kInvalidStorageId);
  }
  const auto handles =
      camera_.store().handles(param(params, 2), static_cast<uint16_t>(param(params, 1)));
  if (!handles) return status(rc::kInvalidParentObject);
  if (code == op::kGetNumObjects) {
    return status(rc::kOk, {static_cast<uint32_t>(handles->size())});
  }
  return with_array(*handles);
}

CommandSession::Reply CommandSession::object_data(uint16_t code,
                                                  const std::vector<uint32_t>& params) {
  const auto object = camera_.store().find(param(params, 0));
  if (!object) return status(rc::kInvalidObjectHandle);
  if (object->is_folder()) {
    return status(code == op::kGetThumb ? rc::kNoThumbnailPresent : rc::kInvalidObjectHandle);
  }
  Reply reply = status(rc::kOk);
  reply.data = code == op::kGetThumb ? object->file->picture : file_contents(*object);
  reply.data_length = reply.data->size();
  if (code == op::kGetPartialObject) {
    reply.data_offset = std::min<std::size_t>(param(params, 1), reply.data->size());
    reply.data_length =
        std::min<std::size_t>(param(params, 2), reply.data->size() - reply.data_offset);
    reply.params = {static_cast<uint32_t>(reply.data_length)};
  }
  return reply;
}

CommandSession::Reply CommandSession::delete_object(const std::vector<uint32_t>& params) {
  const uint32_t handle = param(params, 0);
  if (handle != kAllObjects && !camera_.store().find(handle)) {
    return status(rc::kInvalidObjectHandle);
  }
  for (const RemovedObject& gone : camera_.store().remove(handle)) {
    if (gone.object.handle == cached_handle_) cached_contents_.reset();
    output_.line("DELETED " + gone.path);
  }
  return status(rc::kOk);
}

CommandSession::Reply CommandSession::property(uint16_t code, const std::vector<uint32_t>& params) {
  const Uint8RangeProperty battery = battery_level();
  if (param(params, 0) != battery.code) return status(rc::kDevicePropNotSupported);
  if (code == op::kGetDevicePropDesc) return with_data(encode_property_desc(battery));
  return with_data({battery.current});
}

CommandSession::Bytes CommandSession::file_contents(const StoredObject& object) {
  if (!cached_contents_ || cached_handle_ != object.handle) {
    cached_handle_ = object.handle;
    cached_contents_ = ShotMaker::contents(*object.file);
  }
  return cached_contents_;
}

bool CommandSession::send_data(uint32_t transaction, std::span<const uint8_t> bytes) {
  if (!socket_.write_packet(packet_type::kStartData, start_data(transaction, bytes.size()))) {
    return false;
  }
  const std::vector<uint8_t> head = data_head(transaction);
  do {
    const std::size_t chunk = std::min(bytes.size(), kDataChunkBytes);
    const uint32_t type = chunk == bytes.size() ? packet_type::kEndData : packet_type::kData;
    if (!socket_.write_packet(type, head, bytes.first(chunk))) return false;
    bytes = bytes.subspan(chunk);
  } while (!bytes.empty());
  return true;
}

bool CommandSession::skip_incoming_data() {
  while (auto packet = socket_.read_packet()) {
    if (packet->type == packet_type::kEndData || packet->type == packet_type::kCancel) return true;
  }
  return false;
}

}  // namespace ptpipcam
