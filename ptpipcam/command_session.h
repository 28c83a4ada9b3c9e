// Answers the operation requests of one command connection, one at a time, until it ends. Data
// goes out as Start Data, Data packets and a closing End Data packet, then the response.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "camera_device.h"
#include "packet_socket.h"
#include "ptpip_messages.h"
#include "status_output.h"

namespace ptpipcam {

class CommandSession {
 public:
  // Payload bytes per Data packet.
  static constexpr std::size_t kDataChunkBytes = 1024 * 1024;

  CommandSession(PacketSocket& socket, CameraDevice& camera, StatusOutput& output);

  void run();

 private:
  using Bytes = std::shared_ptr<const std::vector<uint8_t>>;

  struct Reply {
    uint16_t code = 0;
    std::vector<uint32_t> params;
    Bytes data;  // no data phase without
    std::size_t data_offset = 0;
    std::size_t data_length = 0;
    bool shoot_after = false;  // InitiateCapture: the shot follows the response
  };

  static Reply status(uint16_t code, std::vector<uint32_t> params = {});
  static Reply with_data(std::vector<uint8_t> bytes);
  static Reply with_array(const std::vector<uint32_t>& values);

  bool serve(const OperationRequest& request);
  Reply answer(const OperationRequest& request);
  Reply open_session(const std::vector<uint32_t>& params);
  Reply object_handles(uint16_t code, const std::vector<uint32_t>& params);
  Reply object_data(uint16_t code, const std::vector<uint32_t>& params);
  Reply delete_object(const std::vector<uint32_t>& params);
  Reply property(uint16_t code, const std::vector<uint32_t>& params);

  bool send_data(uint32_t transaction, std::span<const uint8_t> bytes);
  // Reads an initiator's data phase to its end, for an operation that has no use for it.
  bool skip_incoming_data();
  Bytes file_contents(const StoredObject& object);

  PacketSocket& socket_;
  CameraDevice& camera_;
  StatusOutput& output_;
  bool session_open_ = false;
  uint32_t session_id_ = 0;
  // The last file read, since GetPartialObject reads a large file in many pieces.
  uint32_t cached_handle_ = 0;
  Bytes cached_contents_;
};

}  // namespace ptpipcam
