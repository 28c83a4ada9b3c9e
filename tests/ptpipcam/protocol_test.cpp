// PTP/IP cases a real initiator may bring that the gphoto2 client does not: operations out of
// turn, data sent to the camera, a wrong event connection, an abandoned session.
#include <gtest/gtest.h>

#include "byte_reader.h"
#include "camera_fixture.h"
#include "ptp_codes.h"
#include "ptpip_test_client.h"

using namespace ptpipcam;

namespace {

constexpr uint16_t kVendorOperation = 0x9999;
constexpr uint16_t kSendObjectInfo = 0x100C;

}  // namespace

class ProtocolTest : public PtpipCameraFixture {
 protected:
  // A client with a command connection and an open session.
  std::unique_ptr<PtpipTestClient> open_session(uint32_t* connection = nullptr) {
    auto client = std::make_unique<PtpipTestClient>(port_);
    const auto number = client->init_command();
    EXPECT_TRUE(number);
    if (connection && number) *connection = *number;
    EXPECT_EQ(client->transact(op::kOpenSession, {1}).code, rc::kOk);
    return client;
  }
};

TEST_F(ProtocolTest, OperationsOutOfTurnOrUnknownGetTheirOwnResponseCodes) {
  start_camera();
  PtpipTestClient client(port_);
  ASSERT_TRUE(client.init_command());
  EXPECT_EQ(client.transact(op::kGetStorageIds, {}).code, rc::kSessionNotOpen);
  EXPECT_EQ(client.transact(kVendorOperation, {}).code, rc::kOperationNotSupported);
  // DeviceInfo is allowed outside a session.
  const OperationResult info = client.transact(op::kGetDeviceInfo, {});
  EXPECT_EQ(info.code, rc::kOk);
  EXPECT_FALSE(info.data.empty());

  EXPECT_EQ(client.transact(op::kOpenSession, {7}).code, rc::kOk);
  const OperationResult again = client.transact(op::kOpenSession, {8});
  EXPECT_EQ(again.code, rc::kSessionAlreadyOpen);
  EXPECT_EQ(again.params, std::vector<uint32_t>{7});
  const OperationResult unknown = client.transact(kVendorOperation, {1, 2});
  EXPECT_TRUE(unknown.complete);
  EXPECT_EQ(unknown.code, rc::kOperationNotSupported);
  EXPECT_EQ(client.transact(op::kGetObjectHandles, {0x00020001, 0, 0}).code, rc::kInvalidStorageId);
  EXPECT_EQ(client.transact(op::kGetObjectInfo, {0x7777}).code, rc::kInvalidObjectHandle);
}

TEST_F(ProtocolTest, DataSentToTheCameraIsReadBeforeTheRefusal) {
  start_camera();
  const auto client = open_session();
  const OperationResult refused =
      client->transact(kSendObjectInfo, {0x00010001, 0}, std::vector<uint8_t>(5000, 0x42));
  ASSERT_TRUE(refused.complete);
  EXPECT_EQ(refused.code, rc::kOperationNotSupported);
  // The connection is still in step: the next answer belongs to the next transaction.
  const OperationResult ids = client->transact(op::kGetStorageIds, {});
  EXPECT_EQ(ids.code, rc::kOk);
  EXPECT_EQ(ids.transaction, refused.transaction + 1);
}

TEST_F(ProtocolTest, CaptureSendsObjectAddedThenCaptureCompleteOnTheEventConnection) {
  start_camera({"--image-bytes", "70000"});
  uint32_t connection = 0;
  const auto commands = open_session(&connection);
  PtpipTestClient stranger(port_);
  EXPECT_EQ(stranger.init_events(connection + 1), packet_type::kInitFail);
  PtpipTestClient events(port_);
  ASSERT_EQ(events.init_events(connection), packet_type::kInitEventAck);
  camera_line("EVENTS ");

  const OperationResult capture = commands->transact(op::kInitiateCapture, {0, 0});
  ASSERT_EQ(capture.code, rc::kOk);
  const auto added = events.next_event();
  ASSERT_TRUE(added);
  EXPECT_EQ(added->code, event::kObjectAdded);
  ASSERT_EQ(added->params.size(), 1u);
  const auto complete = events.next_event();
  ASSERT_TRUE(complete);
  EXPECT_EQ(complete->code, event::kCaptureComplete);
  EXPECT_EQ(complete->transaction, capture.transaction);

  // The added object is the shot, and pieces of it add up to the whole.
  const uint32_t handle = added->params[0];
  const OperationResult whole = commands->transact(op::kGetObject, {handle});
  ASSERT_EQ(whole.data.size(), 70000u);
  const OperationResult tail = commands->transact(op::kGetPartialObject, {handle, 65536, 65536});
  EXPECT_EQ(tail.params, std::vector<uint32_t>{70000 - 65536});
  EXPECT_TRUE(std::equal(tail.data.begin(), tail.data.end(), whole.data.begin() + 65536));
  EXPECT_EQ(tail.data.size(), 70000u - 65536);
  EXPECT_EQ(whole.data, file_bytes(dump_ / "IMG_0001.JPG"));
}

TEST_F(ProtocolTest, ANewSessionReplacesOneItsClientAbandoned) {
  start_camera();
  uint32_t first_connection = 0;
  const auto abandoned = open_session(&first_connection);
  uint32_t second_connection = 0;
  const auto fresh = open_session(&second_connection);
  EXPECT_NE(second_connection, first_connection);
  // The old command connection was closed by the camera.
  EXPECT_FALSE(abandoned->socket().read_packet());
  EXPECT_EQ(fresh->transact(op::kGetStorageIds, {}).code, rc::kOk);
}

TEST_F(ProtocolTest, ProbeRequestGetsAProbeResponse) {
  start_camera();
  PtpipTestClient client(port_);
  ASSERT_TRUE(client.socket().write_packet(packet_type::kProbeRequest, {}));
  const auto answer = client.socket().read_packet();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->type, packet_type::kProbeResponse);
  EXPECT_TRUE(client.init_command());
}
