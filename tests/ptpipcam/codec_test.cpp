// The byte layouts libgphoto2 reads by fixed offsets: PTP strings, PTP/IP packet framing, the
// init and operation packets, and the datasets.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "byte_reader.h"
#include "byte_writer.h"
#include "packet_socket.h"
#include "ptp_codes.h"
#include "ptp_datasets.h"
#include "ptpip_messages.h"

using namespace ptpipcam;

namespace {

std::vector<uint8_t> utf16le(std::u16string_view text) {
  std::vector<uint8_t> bytes;
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}

std::vector<uint8_t> ptp_string_bytes(const std::string& text) {
  ByteWriter writer;
  writer.ptp_string(text);
  return writer.take();
}

}  // namespace

TEST(PtpString, CountsUnitsWithTheClosingNul) {
  std::vector<uint8_t> expected = {4};
  const std::vector<uint8_t> units = utf16le(u"JPG");
  expected.insert(expected.end(), units.begin(), units.end());
  expected.insert(expected.end(), {0, 0});
  EXPECT_EQ(ptp_string_bytes("JPG"), expected);
  // An empty string is the count alone, not a count of 1 and a NUL.
  EXPECT_EQ(ptp_string_bytes(""), std::vector<uint8_t>{0});
}

TEST(PtpString, NonAsciiBecomesUtf16AndReadsBack) {
  // "é" is one unit; U+1F4F7 (camera) is a surrogate pair: two units.
  const std::string text = "Caf\xC3\xA9 \xF0\x9F\x93\xB7";
  const std::vector<uint8_t> bytes = ptp_string_bytes(text);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes[0], 8);  // C a f é space high low NUL
  EXPECT_EQ(bytes.size(), 1u + 8 * 2);
  ByteReader reader(bytes);
  EXPECT_EQ(reader.ptp_string(), text);
  EXPECT_TRUE(reader.ok());
  EXPECT_EQ(reader.remaining(), 0u);
}

TEST(PtpString, LongTextIsCutToFitTheCountByteWithoutSplittingAPair) {
  const std::vector<uint8_t> plain = ptp_string_bytes(std::string(300, 'a'));
  EXPECT_EQ(plain[0], 255);
  EXPECT_EQ(plain.size(), 1u + 255 * 2);
  EXPECT_EQ(plain[plain.size() - 2], 0);
  EXPECT_EQ(plain.back(), 0);

  // 253 letters, then a pair that would straddle the cut: the pair goes whole.
  const std::string text = std::string(253, 'a') + "\xF0\x9F\x93\xB7";
  const std::vector<uint8_t> cut = ptp_string_bytes(text);
  EXPECT_EQ(cut[0], 254);
  ByteReader reader(cut);
  EXPECT_EQ(reader.ptp_string(), std::string(253, 'a'));
  EXPECT_TRUE(reader.ok());
}

TEST(ByteReaderTest, ReadingPastTheEndOrAStringWithoutNulFails) {
  const std::vector<uint8_t> three = {1, 2, 3};
  ByteReader short_reader(three);
  EXPECT_EQ(short_reader.u16(), 0x0201);
  EXPECT_EQ(short_reader.u32(), 0u);
  EXPECT_FALSE(short_reader.ok());

  const std::vector<uint8_t> no_nul = {2, 'a', 0, 'b', 0};
  ByteReader string_reader(no_nul);
  string_reader.ptp_string();
  EXPECT_FALSE(string_reader.ok());

  const std::vector<uint8_t> unterminated = utf16le(u"host");
  ByteReader name_reader(unterminated);
  name_reader.nul_terminated_utf16();
  EXPECT_FALSE(name_reader.ok());
}

class PacketSocketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    ours_ = std::make_unique<PacketSocket>(fds[0]);
    peer_ = fds[1];
  }
  void TearDown() override {
    if (peer_ >= 0) close(peer_);
  }
  void peer_writes(const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(write(peer_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::vector<uint8_t> peer_reads(std::size_t count) {
    std::vector<uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
      const ssize_t n = read(peer_, bytes.data() + done, count - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
  }

  std::unique_ptr<PacketSocket> ours_;
  int peer_ = -1;
};

TEST_F(PacketSocketTest, LengthFieldCountsHeaderHeadAndBulk) {
  const std::vector<uint8_t> head = {0xAA, 0xBB};
  const std::vector<uint8_t> bulk = {1, 2, 3, 4, 5};
  ASSERT_TRUE(ours_->write_packet(packet_type::kEndData, head, bulk));
  const std::vector<uint8_t> expected = {15, 0, 0, 0, 12, 0, 0, 0, 0xAA, 0xBB, 1, 2, 3, 4, 5};
  EXPECT_EQ(peer_reads(expected.size()), expected);
}

TEST_F(PacketSocketTest, ReadsBackToBackPacketsAndStopsAtABrokenLength) {
  std::vector<uint8_t> stream = PacketSocket::header(packet_type::kProbeRequest, 0);
  const std::vector<uint8_t> second = PacketSocket::header(packet_type::kInitEventRequest, 4);
  stream.insert(stream.end(), second.begin(), second.end());
  stream.insert(stream.end(), {7, 0, 0, 0});
  // A length shorter than the header itself cannot be framed.
  stream.insert(stream.end(), {4, 0, 0, 0, 6, 0, 0, 0});
  peer_writes(stream);

  auto first = ours_->read_packet();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->type, packet_type::kProbeRequest);
  EXPECT_TRUE(first->payload.empty());
  auto next = ours_->read_packet();
  ASSERT_TRUE(next);
  EXPECT_EQ(next->type, packet_type::kInitEventRequest);
  EXPECT_EQ(next->payload, (std::vector<uint8_t>{7, 0, 0, 0}));
  EXPECT_FALSE(ours_->read_packet());
}

TEST_F(PacketSocketTest, StreamEndingInsideAPacketGivesNoPacket) {
  std::vector<uint8_t> stream = PacketSocket::header(packet_type::kOperationRequest, 10);
  stream.insert(stream.end(), {1, 0, 0, 0});
  peer_writes(stream);
  close(peer_);
  peer_ = -1;
  EXPECT_FALSE(ours_->read_packet());
}

TEST(PtpipMessages, OperationRequestTakesItsParameterCountFromTheLength) {
  ByteWriter writer;
  writer.u32(data_phase::kNoneOrIn);
  writer.u16(op::kGetObjectHandles);
  writer.u32(42);
  for (const uint32_t p : {0xFFFFFFFFu, 0u, 0xFFFFFFFFu}) writer.u32(p);
  const auto request = parse_operation_request(writer.data());
  ASSERT_TRUE(request);
  EXPECT_EQ(request->code, op::kGetObjectHandles);
  EXPECT_EQ(request->transaction, 42u);
  EXPECT_EQ(request->params, (std::vector<uint32_t>{0xFFFFFFFF, 0, 0xFFFFFFFF}));

  for (int i = 0; i < 3; ++i) writer.u32(1);  // six parameters: one too many
  EXPECT_FALSE(parse_operation_request(writer.data()));
  const std::vector<uint8_t> truncated = {1, 0, 0, 0, 1, 0x10};
  EXPECT_FALSE(parse_operation_request(truncated));
}

TEST(PtpipMessages, InitCommandAckHasNameWithNulThenVersion) {
  const Guid guid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  const std::vector<uint8_t> ack = init_command_ack(3, guid, "Cam");
  ByteReader reader(ack);
  EXPECT_EQ(reader.u32(), 3u);
  for (const uint8_t byte : guid) EXPECT_EQ(reader.u8(), byte);
  EXPECT_EQ(reader.nul_terminated_utf16(), "Cam");
  EXPECT_EQ(reader.u32(), kProtocolVersion);
  EXPECT_TRUE(reader.ok());
  EXPECT_EQ(reader.remaining(), 0u);
}

TEST(PtpipMessages, InitCommandRequestAsLibgphoto2SendsIt) {
  ByteWriter writer;
  for (uint8_t i = 0; i < 16; ++i) writer.u8(i);
  writer.nul_terminated_utf16("studio-pc");
  writer.u16(0);  // minor
  writer.u16(1);  // major
  const auto request = parse_init_command_request(writer.data());
  ASSERT_TRUE(request);
  EXPECT_EQ(request->name, "studio-pc");
  EXPECT_EQ(request->guid[15], 15);
  EXPECT_EQ(request->version, kProtocolVersion);
}

TEST(PtpDatasets, ObjectInfoPutsTheFileNameWhereReadersLookForIt) {
  ObjectInfo info;
  info.storage_id = 0x00010001;
  info.format = format::kExifJpeg;
  info.compressed_size = 123456;
  info.parent = 2;
  info.filename = "IMG_0001.JPG";
  info.capture_date = "20240501T101500";
  const std::vector<uint8_t> bytes = encode_object_info(info);
  ByteReader header(bytes);
  EXPECT_EQ(header.u32(), 0x00010001u);
  EXPECT_EQ(header.u16(), format::kExifJpeg);
  // ISO 15740's fixed offsets: size at 8, parent at 38, the file name's count byte at 52.
  ASSERT_GT(bytes.size(), 53u);
  EXPECT_EQ(bytes[8] | bytes[9] << 8 | bytes[10] << 16, 123456);
  EXPECT_EQ(bytes[38], 2);
  EXPECT_EQ(bytes[52], 13);
  std::vector<uint8_t> rest(bytes.begin() + 52, bytes.end());
  ByteReader strings(rest);
  EXPECT_EQ(strings.ptp_string(), "IMG_0001.JPG");
  EXPECT_EQ(strings.ptp_string(), "20240501T101500");
  strings.ptp_string();  // modification date
  strings.ptp_string();  // keywords
  EXPECT_TRUE(strings.ok());
  EXPECT_EQ(strings.remaining(), 0u);
}

TEST(PtpDatasets, DeviceInfoArraysAndStringsFollowEachOther) {
  DeviceInfo info;
  info.operations = {op::kGetDeviceInfo, op::kInitiateCapture};
  info.events = {event::kObjectAdded, event::kCaptureComplete};
  info.image_formats = {format::kExifJpeg};
  info.manufacturer = "Vantrel";
  info.model = "Model";
  const std::vector<uint8_t> bytes = encode_device_info(info);
  ByteReader reader(bytes);
  EXPECT_EQ(reader.u16(), 100);
  reader.u32();
  reader.u16();
  EXPECT_EQ(reader.ptp_string(), "");
  reader.u16();
  EXPECT_EQ(reader.u32(), 2u);
  EXPECT_EQ(reader.u16(), op::kGetDeviceInfo);
  EXPECT_EQ(reader.u16(), op::kInitiateCapture);
  EXPECT_EQ(reader.u32(), 2u);
  EXPECT_EQ(reader.u16(), event::kObjectAdded);
  EXPECT_EQ(reader.u16(), event::kCaptureComplete);
  EXPECT_EQ(reader.u32(), 0u);  // properties
  EXPECT_EQ(reader.u32(), 0u);  // capture formats
  EXPECT_EQ(reader.u32(), 1u);
  EXPECT_EQ(reader.u16(), format::kExifJpeg);
  EXPECT_EQ(reader.ptp_string(), "Vantrel");
  EXPECT_EQ(reader.ptp_string(), "Model");
  reader.ptp_string();
  reader.ptp_string();
  EXPECT_TRUE(reader.ok());
  EXPECT_EQ(reader.remaining(), 0u);
}

TEST(PtpDatasets, StorageInfoCarries64BitCapacities) {
  StorageInfo info;
  info.max_capacity = 0x0000000812345678ULL;
  info.free_bytes = 0x0000000400000001ULL;
  info.description = "SD";
  const std::vector<uint8_t> bytes = encode_storage_info(info);
  ByteReader reader(bytes);
  reader.u16();
  reader.u16();
  reader.u16();
  EXPECT_EQ(reader.u64(), info.max_capacity);
  EXPECT_EQ(reader.u64(), info.free_bytes);
  reader.u32();
  EXPECT_EQ(reader.ptp_string(), "SD");  // at offset 26
  EXPECT_EQ(reader.ptp_string(), "");
  EXPECT_TRUE(reader.ok());
}
