// Finding and remounting the share behind a folder, from mount tables the tests write.
#include <gtest/gtest.h>

#include "gvfs_share.h"
#include "linux_mount_locator.h"
#include "linux_share_mounter.h"
#include "mount_table.h"
#include "platform_test_support.h"

namespace vantrel::platform {
namespace {

namespace fs = std::filesystem;
using testing::RecordingRunner;
using testing::TempDir;
using testing::writeFile;

std::string mountInfoLine(int id, const std::string& point, const std::string& type,
                          const std::string& source) {
  return std::to_string(id) + " 1 0:" + std::to_string(id) + " / " + point +
         " rw,relatime shared:" + std::to_string(id) + " master:1 - " + type + " " + source +
         " rw\n";
}

TEST(MountTable, DeepestMountByWholeComponentsLaterOnesWin) {
  const MountTable table = MountTable::fromMountInfo(
      mountInfoLine(1, "/", "ext4", "/dev/vda") +
      mountInfoLine(2, "/mnt/nas", "cifs", "//nas/photos") +
      mountInfoLine(3, "/mnt/My\\040Share", "smb3", "//nas/My\\040Share") +
      mountInfoLine(4, "/mnt/nas", "cifs", "//nas2/photos") + "garbage line\n");
  ASSERT_EQ(table.entries().size(), 4u);
  EXPECT_EQ(table.containing("/mnt/nas/backup/x")->source, "//nas2/photos");
  EXPECT_EQ(table.containing("/mnt/nasty/x")->source, "/dev/vda");
  const std::optional<MountSource> spaced = table.containing("/mnt/My Share/b");
  ASSERT_TRUE(spaced);
  EXPECT_EQ(spaced->source, "//nas/My Share");
  EXPECT_EQ(spaced->fileSystemType, "smb3");
}

TEST(MountTable, ReadsFstab) {
  const MountTable table = MountTable::fromFstab(
      "# static file system information\n\n"
      "UUID=abcd  /  ext4  defaults  0 1\n"
      "//nas/photos\t/mnt/nas  cifs  credentials=/root/.smb,noauto,user  0 0\n");
  ASSERT_EQ(table.entries().size(), 2u);
  EXPECT_EQ(table.entries()[1].mountPoint, "/mnt/nas");
  EXPECT_EQ(table.entries()[1].fileSystemType, "cifs");
}

TEST(GvfsShare, ReadsServerShareAndUserFromTheFolderName) {
  const fs::path root = "/run/user/1000/gvfs";
  const std::optional<MountSource> share = gvfsShareOf(
      root / "smb-share:domain=WG,server=nas.local,share=my%20photos,user=bob" / "b", root);
  ASSERT_TRUE(share);
  EXPECT_EQ(share->source, "//bob@nas.local/my photos");
  EXPECT_EQ(share->fileSystemType, "smb");
  EXPECT_EQ(gvfsShareOf(root / "smb-share:server=nas,share=p", root)->source, "//nas/p");
  EXPECT_FALSE(gvfsShareOf(root / "sftp:host=nas" / "b", root));
  EXPECT_FALSE(gvfsShareOf(root / "smb-share:server=nas" / "b", root));
  EXPECT_FALSE(gvfsShareOf("/home/bob/smb-share:server=nas,share=p", root));
}

TEST(LinuxMountLocator, FindsKernelAndDesktopShares) {
  TempDir dir;
  const fs::path runtime = dir / "runtime";
  const fs::path gvfsFolder = runtime / "gvfs" / "smb-share:server=nas,share=photos" / "backup";
  const fs::path kernelFolder = dir / "mnt" / "backup";
  fs::create_directories(gvfsFolder);
  fs::create_directories(kernelFolder);
  writeFile(dir / "mountinfo", mountInfoLine(1, "/", "ext4", "/dev/vda") +
                                   mountInfoLine(2, (dir / "mnt").string(), "cifs", "//srv/x"));
  LinuxMountLocator locator(dir / "mountinfo", runtime);

  EXPECT_EQ(locator.mountSourceOf(gvfsFolder)->source, "//nas/photos");
  EXPECT_EQ(locator.mountSourceOf(kernelFolder)->source, "//srv/x");
  EXPECT_EQ(locator.mountSourceOf(dir.path())->source, "/dev/vda");
  EXPECT_FALSE(locator.mountSourceOf(dir / "gone")) << "an unreachable folder has no volume";
}

TEST(LinuxShareMounter, GioForDesktopSharesMountForFstabEntries) {
  TempDir dir;
  writeFile(dir / "fstab", "/dev/vda / ext4 defaults 0 1\n//nas/photos /mnt/nas cifs noauto 0 0\n");
  RecordingRunner runner;
  LinuxShareMounter mounter(runner, dir / "runtime", dir / "fstab");

  EXPECT_TRUE(mounter.mountShare("smb://nas/My%20Photos",
                                 dir / "runtime/gvfs/smb-share:server=nas,share=My%20Photos/b"));
  EXPECT_TRUE(mounter.mountShare("smb://nas/photos", "/mnt/nas/backup"));
  EXPECT_FALSE(mounter.mountShare("smb://nas/photos", "/home/bob/backup"))
      << "the root file system is no share to mount";
  runner.answer.exitStatus = 32;
  EXPECT_FALSE(mounter.mountShare("smb://nas/photos", "/mnt/nas/backup"));
  EXPECT_EQ(runner.calls, (std::vector<std::string>{"gio mount smb://nas/My%20Photos",
                                                    "mount /mnt/nas", "mount /mnt/nas"}));
}

}  // namespace
}  // namespace vantrel::platform
