// Copies onto drives that misbehave. Each case runs the copy job in a child process with a
// library preloaded that makes the file system calls for one folder fail as such a drive does.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "backup_paths.h"
#include "backup_test_support.h"
#include "child_process.h"
#include "copy_job.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::readFile;
using testing::TempDir;
using testing::treeOf;
using testing::writeFile;

struct ProbeResult {
  CopyOutcome outcome = CopyOutcome::Failed;
  std::string errorText;
  std::string copiedTo;
};

class FaultyDriveTest : public ::testing::Test {
 protected:
  // Copies target/`relative` into the backup while `fault` hits the calls for `folder`.
  ProbeResult copyWith(const std::string& fault, const fs::path& folder,
                       const std::string& relative) {
    const fs::path source = target / relative;
    ChildProcess::Env env{{"LD_PRELOAD", VANTREL_FAULT_PRELOAD},
                          {"VANTREL_FAULT", fault},
                          {"VANTREL_FAULT_FOLDER", folder.string()}};
    // A sanitized probe must accept a library that is loaded ahead of its runtime.
    const char* asanOptions = std::getenv("ASAN_OPTIONS");
    env["ASAN_OPTIONS"] =
        std::string(asanOptions != nullptr ? asanOptions : "") + ":verify_asan_link_order=0";
    ChildProcess probe(
        VANTREL_COPY_PROBE,
        {source.string(), backup.string(),
         backupDestForSource(source.string(), target.string(), backup.string()), target.string()},
        env, true);
    ProbeResult result;
    const std::optional<std::string> outcome = probe.next_line(20s);
    const std::optional<std::string> errorText = probe.next_line(5s);
    const std::optional<std::string> copiedTo = probe.next_line(5s);
    EXPECT_EQ(probe.wait_exit(10s), 0);
    if (!outcome || !errorText || !copiedTo) {
      ADD_FAILURE() << "the probe did not report a result";
      return result;
    }
    result.outcome = static_cast<CopyOutcome>(std::stoi(*outcome));
    result.errorText = *errorText;
    result.copiedTo = *copiedTo;
    return result;
  }

  TempDir dir;
  fs::path target = dir / "target";
  fs::path backup = dir / "backup";
};

std::string photoBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7919) >> 3);
  return bytes;
}

TEST_F(FaultyDriveTest, DriveThatRefusesPermissionChangesStillGetsEveryByte) {
  const std::string photo = photoBytes(300'000);
  writeFile(target / "Anna" / "Anna_0001.jpg", photo);
  fs::create_directories(backup);
  const ProbeResult result = copyWith("chmod", backup, "Anna/Anna_0001.jpg");
  EXPECT_EQ(result.outcome, CopyOutcome::Copied) << result.errorText;
  EXPECT_EQ(result.copiedTo, (backup / "Anna" / "Anna_0001.jpg").string());
  EXPECT_TRUE(readFile(backup / "Anna" / "Anna_0001.jpg") == photo);
  EXPECT_EQ(treeOf(backup), (std::vector<std::string>{"Anna", "Anna/Anna_0001.jpg"}));
}

TEST_F(FaultyDriveTest, PhotoThatCannotBeReadIsRefused) {
  writeFile(target / "Anna" / "Anna_0001.jpg", "photo");
  fs::create_directories(backup);
  const ProbeResult result = copyWith("unreadable", target, "Anna/Anna_0001.jpg");
  EXPECT_EQ(result.outcome, CopyOutcome::FileRefused);
  EXPECT_EQ(result.errorText, "the photo cannot be read: Permission denied");
  EXPECT_EQ(treeOf(backup), std::vector<std::string>{"Anna"}) << "no copy, no temporary file";
}

TEST_F(FaultyDriveTest, NameTheDriveRefusesIsRefusedForThatPhotoOnly) {
  writeFile(target / "Anna" / "Anna_0001.jpg", "photo");
  fs::create_directories(backup);
  // The person's folder cannot be created...
  ProbeResult result = copyWith("names", backup / "Anna", "Anna/Anna_0001.jpg");
  EXPECT_EQ(result.outcome, CopyOutcome::FileRefused);
  EXPECT_EQ(result.errorText, "the backup drive refuses this file name: Invalid argument");
  EXPECT_TRUE(fs::is_empty(backup));

  // ...or it exists and the file in it cannot be.
  fs::create_directories(backup / "Anna");
  result = copyWith("names", backup / "Anna", "Anna/Anna_0001.jpg");
  EXPECT_EQ(result.outcome, CopyOutcome::FileRefused);
  EXPECT_EQ(result.errorText, "the backup drive refuses this file name: Invalid argument");
  EXPECT_TRUE(fs::is_empty(backup / "Anna"));
}

TEST_F(FaultyDriveTest, FullDriveIsToldFromOtherFailures) {
  writeFile(target / "Anna" / "Anna_0001.jpg", photoBytes(100'000));
  fs::create_directories(backup / "Anna");
  const ProbeResult result = copyWith("full", backup, "Anna/Anna_0001.jpg");
  EXPECT_EQ(result.outcome, CopyOutcome::DestinationFull);
  EXPECT_EQ(result.errorText, "the backup drive is full");
  EXPECT_TRUE(fs::is_empty(backup / "Anna")) << "the partial temporary file is removed";
}

TEST_F(FaultyDriveTest, ACopyCountsOnlyOnceItAndItsNameAreOnTheDisk) {
  const std::string photo = photoBytes(100'000);
  writeFile(target / "Anna" / "Anna_0001.jpg", photo);
  fs::create_directories(backup / "Anna");
  // The drive cannot flush the copy: it never gets the photo's name.
  ProbeResult result = copyWith("flush", backup, "Anna/Anna_0001.jpg");
  EXPECT_EQ(result.outcome, CopyOutcome::Failed);
  EXPECT_TRUE(fs::is_empty(backup / "Anna"));

  // It cannot flush the folder after the rename: the copy is there but does not count...
  result = copyWith("flush-folder", backup, "Anna/Anna_0001.jpg");
  EXPECT_EQ(result.outcome, CopyOutcome::Failed);
  EXPECT_EQ(result.copiedTo, "");
  EXPECT_EQ(treeOf(backup), (std::vector<std::string>{"Anna", "Anna/Anna_0001.jpg"}));

  // ...until a later copy finds it there with the photo's bytes and the flush goes through.
  result = copyWith("", backup, "Anna/Anna_0001.jpg");
  EXPECT_EQ(result.outcome, CopyOutcome::Copied);
  EXPECT_EQ(result.copiedTo, (backup / "Anna" / "Anna_0001.jpg").string());
  EXPECT_EQ(treeOf(backup), (std::vector<std::string>{"Anna", "Anna/Anna_0001.jpg"}));
  EXPECT_TRUE(readFile(backup / "Anna" / "Anna_0001.jpg") == photo);
}

}  // namespace
}  // namespace vantrel::backup
