// Drive recovery against fakes and a UDP socket of our own on 127.0.0.1: nothing here may
// reach any other host.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "backup_test_support.h"
#include "drive_recovery.h"
#include "remount_job.h"
#include "share_info.h"
#include "share_url_encoding.h"
#include "udp_datagram_sender.h"
#include "wake_on_lan.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using Seconds = std::chrono::seconds;

const platform::Ipv4Endpoint kLoopbackDiscard{"127.0.0.1", 9};

class LoopbackSocket {
 public:
  LoopbackSocket() {
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const timeval wait{5, 0};  // only a guard against hanging when nothing arrives
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0)
      ADD_FAILURE() << "no loopback socket";
    port_ = ntohs(address.sin_port);
  }
  ~LoopbackSocket() { ::close(fd_); }

  platform::Ipv4Endpoint endpoint() const { return {"127.0.0.1", port_}; }
  std::vector<std::uint8_t> receive() {
    std::vector<std::uint8_t> bytes(1024);
    const ssize_t got = ::recv(fd_, bytes.data(), bytes.size(), 0);
    bytes.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return bytes;
  }

 private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};

struct RecordingSender : platform::DatagramSender {
  bool send(std::span<const std::uint8_t> bytes, const platform::Ipv4Endpoint& to) override {
    sent.emplace_back(bytes.begin(), bytes.end());
    destinations.push_back(to.address);
    return true;
  }
  std::vector<std::vector<std::uint8_t>> sent;
  std::vector<std::string> destinations;
};

struct FakeLocator : platform::MountLocator {
  std::optional<platform::MountSource> mountSourceOf(const std::filesystem::path&) override {
    return answer;
  }
  std::optional<platform::MountSource> answer;
};

struct FakeMounter : platform::ShareMounter {
  bool mountShare(const std::string& url, const std::filesystem::path& dir) override {
    calls.push_back(url + " " + dir.string());
    if (createsFolder) std::filesystem::create_directories(dir);
    return reportsSuccess;
  }
  bool createsFolder = false;
  bool reportsSuccess = false;
  std::vector<std::string> calls;
};

TEST(WakeOnLan, PacketReachesALoopbackSocketWhole) {
  LoopbackSocket socket;
  platform::UdpDatagramSender sender;
  ASSERT_TRUE(sendWakeOnLANToMAC("aa:bb:cc:dd:ee:ff", sender, socket.endpoint()));
  const std::vector<std::uint8_t> packet = socket.receive();
  ASSERT_EQ(packet.size(), 102u);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(packet[i], 0xFF) << i;
  const std::uint8_t address[] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  for (std::size_t i = 6; i < 102; ++i) EXPECT_EQ(packet[i], address[(i - 6) % 6]) << i;
}

TEST(WakeOnLan, ReadsAddressesLikeScanfAndRefusesShortOnes) {
  RecordingSender sender;
  EXPECT_FALSE(sendWakeOnLANToMAC("aa:bb:cc:dd:ee", sender, kLoopbackDiscard));
  EXPECT_FALSE(sendWakeOnLANToMAC("", sender, kLoopbackDiscard));
  EXPECT_FALSE(sendWakeOnLANToMAC("aa-bb-cc-dd-ee-ff", sender, kLoopbackDiscard));
  EXPECT_TRUE(sender.sent.empty());

  EXPECT_EQ(parseHardwareAddress("0:1B:c:DD:0xee:1ff"),
            (HardwareAddress{0x00, 0x1B, 0x0C, 0xDD, 0xEE, 0xFF}));
  EXPECT_TRUE(parseHardwareAddress("aa:bb:cc:dd:ee:ff:11")) << "extra text is ignored";
}

TEST(DriveRecovery, AutomaticAttemptsAreThrottledToOneAMinute) {
  RecordingSender sender;
  std::chrono::steady_clock::time_point now{};
  DriveRecovery recovery(sender, kLoopbackDiscard, RecoveryThrottle([&] { return now; }));
  const RecoverySettings settings{true, "/mnt/nas/backup", "aa:bb:cc:dd:ee:ff", "smb://nas/photos"};

  const RecoveryAttempt first = recovery.attempt(false, settings);
  EXPECT_TRUE(first.ran);
  EXPECT_TRUE(first.wakeSent);
  ASSERT_TRUE(first.remount);
  EXPECT_TRUE(first.remount->wakeSent);
  now += Seconds(30);
  EXPECT_FALSE(recovery.attempt(false, settings).ran);
  now += Seconds(30);
  EXPECT_TRUE(recovery.attempt(false, settings).ran) << "exactly 60 s allows a new attempt";
  now += Seconds(1);
  EXPECT_TRUE(recovery.wakeAndReconnect(settings).remount) << "the menu command always runs";
  now += Seconds(59);
  EXPECT_FALSE(recovery.attempt(false, settings).ran) << "and starts a new minute";
  EXPECT_EQ(sender.sent.size(), 3u);
  EXPECT_EQ(sender.destinations[0], "127.0.0.1");
}

TEST(DriveRecovery, DoesWhatTheStoredSettingsAllow) {
  RecordingSender sender;
  DriveRecovery recovery(sender, kLoopbackDiscard);
  EXPECT_FALSE(recovery.attempt(true, {false, "/b", "aa:bb:cc:dd:ee:ff", "smb://n/s"}).ran);
  EXPECT_FALSE(recovery.attempt(true, {true, "", "aa:bb:cc:dd:ee:ff", "smb://n/s"}).ran);

  const RecoveryAttempt noAddress = recovery.attempt(true, {true, "/b", "", "smb://n/s"});
  EXPECT_FALSE(noAddress.wakeSent);
  EXPECT_TRUE(noAddress.remount) << "the remount is tried without a wake packet";
  const RecoveryAttempt local = recovery.attempt(true, {true, "/b", "aa:bb:cc:dd:ee:ff", ""});
  EXPECT_TRUE(local.wakeSent);
  EXPECT_FALSE(local.remount) << "a local folder has nothing to mount";
  EXPECT_EQ(sender.sent.size(), 1u);
}

TEST(ShareInfo, RecordsNetworkSharesAndForgetsLocalFolders) {
  FakeLocator locator;
  EXPECT_EQ(captureBackupShareInfo("/b", locator).action, ShareCapture::Action::Keep);
  locator.answer = platform::MountSource{"/dev/sda1", "ext4", "/"};
  EXPECT_EQ(captureBackupShareInfo("", locator).action, ShareCapture::Action::Keep);
  EXPECT_EQ(captureBackupShareInfo("/b", locator).action, ShareCapture::Action::Forget);

  locator.answer = platform::MountSource{"//nas.local/photos", "cifs", "/mnt/nas"};
  ShareCapture share = captureBackupShareInfo("/mnt/nas/backup", locator);
  EXPECT_EQ(share.action, ShareCapture::Action::Record);
  EXPECT_EQ(share.shareUrl, "smb://nas.local/photos");
  EXPECT_EQ(share.host, "nas.local");
  EXPECT_TRUE(folderIsOnNetworkShare("/mnt/nas/backup", locator));

  locator.answer = platform::MountSource{"//bob@mini.local:548/Share", "afpfs", "/Volumes/Share"};
  share = captureBackupShareInfo("/Volumes/Share", locator);
  EXPECT_EQ(share.shareUrl, "afp://bob@mini.local:548/Share");
  EXPECT_EQ(share.host, "mini.local");

  EXPECT_EQ(hostFromMountSource("//DOM;bob@x@192.168.7.9"), "192.168.7.9");
  EXPECT_EQ(hostFromMountSource("//@/share"), "");
}

TEST(ShareInfo, PercentEncodingKeepsOnlyTheUrlCharacters) {
  EXPECT_EQ(percentEncodeShareUrl("smb://bob@nas:445/My Photos/Zoë%/a-b._~"),
            "smb://bob@nas:445/My%20Photos/Zo%C3%AB%25/a-b._~");
  EXPECT_TRUE(isMountableShareUrl("smb://nas/x"));
  EXPECT_FALSE(isMountableShareUrl("smb://"));
  EXPECT_FALSE(isMountableShareUrl("://nas/x"));
  EXPECT_FALSE(isMountableShareUrl("/mnt/nas"));
}

class RemountJobTest : public ::testing::Test {
 protected:
  RemountResult run(bool wakeSent) {
    const Sleeper sleep = [this](std::chrono::steady_clock::duration d) { slept.push_back(d); };
    return runRemountJob({folder.string(), "smb://nas/My Photos", wakeSent}, mounter, sleep);
  }

  TempDir dir;
  fs::path folder = dir / "share" / "backup";
  FakeMounter mounter;
  std::vector<std::chrono::steady_clock::duration> slept;
};

TEST_F(RemountJobTest, FolderAlreadyBackNeedsNoMount) {
  fs::create_directories(folder);
  EXPECT_EQ(run(true), RemountResult::FolderAlreadyThere);
  EXPECT_TRUE(mounter.calls.empty());
  EXPECT_EQ(slept, std::vector<std::chrono::steady_clock::duration>{Seconds(3)});
  EXPECT_TRUE(remountResumesQueue(RemountResult::FolderAlreadyThere));
  EXPECT_FALSE(remountStatus(RemountResult::FolderAlreadyThere));
}

TEST_F(RemountJobTest, MountsTheEncodedUrlSilently) {
  EXPECT_EQ(run(false), RemountResult::StillAway);
  EXPECT_TRUE(slept.empty()) << "no wake packet, no wait";
  EXPECT_EQ(mounter.calls, std::vector<std::string>{"smb://nas/My%20Photos " + folder.string()});
  EXPECT_FALSE(remountStatus(RemountResult::StillAway));
  EXPECT_FALSE(remountResumesQueue(RemountResult::StillAway));

  mounter.createsFolder = true;  // an error, but the share was mounted already
  EXPECT_EQ(run(false), RemountResult::Reconnected);
  EXPECT_EQ(remountStatus(RemountResult::Reconnected)->text,
            "Backup drive reconnected — resuming backups.");
}

}  // namespace
}  // namespace vantrel::backup
