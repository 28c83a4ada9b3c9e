// Filing a downloaded capture: where it lands, which number it takes, what refusals leave.
#include <sys/stat.h>

#include "capture_filing.h"
#include "filing_messages.h"
#include "filing_test_support.h"

namespace vantrel::filing {
namespace {

namespace fs = std::filesystem;

class CaptureFiling : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    host_.snapshot = {root_, "Ann", "", "7", 3};
  }
  // A finished download lies in the target folder itself.
  fs::path download(const std::string& name, const std::string& bytes = "raw bytes") {
    write(root_ / name, bytes);
    return root_ / name;
  }
  std::string fileAs(const std::string& name) {
    const FilingResult result = renameDownloadedFile(download(name), host_);
    return result.succeeded() ? result.savedPath->lexically_relative(root_).native() : result.error;
  }

  testing::FakeFilingHost host_;
};

TEST_F(CaptureFiling, MovesIntoThePersonsTaggedFolderAndAdvancesTheCounter) {
  host_.snapshot.personName = "Ann Lee";
  host_.snapshot.suffixString = "_FR";
  const FilingResult result = renameDownloadedFile(download("IMG_0001.CR3"), host_);

  ASSERT_TRUE(result.succeeded()) << result.error;
  EXPECT_EQ(*result.savedPath, root_ / "Ann Lee_FR" / "Ann Lee_FR_0007.CR3");
  EXPECT_EQ(read(*result.savedPath), "raw bytes");
  EXPECT_FALSE(fs::exists(root_ / "IMG_0001.CR3"));
  EXPECT_EQ(result.captureRow, 3);
  EXPECT_EQ(host_.snapshot.counterText, "8");
}

TEST_F(CaptureFiling, TakesTheFirstFreeNumberAtOrAboveTheCounter) {
  write(root_ / "Ann" / "Ann_0007.JPG", "old 7");
  write(root_ / "Ann" / "Ann_0008.JPG");
  write(root_ / "Ann" / "Ann_0010.CR3");
  EXPECT_EQ(fileAs("a.JPG"), "Ann/Ann_0009.JPG");
  EXPECT_EQ(host_.snapshot.counterText, "10");
  EXPECT_EQ(read(root_ / "Ann" / "Ann_0007.JPG"), "old 7");
  // The same number in another extension does not block it; a larger counter typed meanwhile
  // stays.
  host_.onAdvance = [this](std::int64_t) { host_.snapshot.counterText = "50"; };
  EXPECT_EQ(fileAs("b.JPG"), "Ann/Ann_0010.JPG");
  EXPECT_EQ(host_.snapshot.counterText, "50");
}

TEST_F(CaptureFiling, CounterAndNameEdgeCases) {
  host_.snapshot.counterText = "10000";
  EXPECT_EQ(fileAs("IMG_0001"), "Ann/Ann_10000.JPG");
  host_.snapshot.counterText = "0";
  host_.snapshot.personName = "A/B:C?";
  EXPECT_EQ(fileAs("a.JPG"), "A-B-C-/A-B-C-_0001.JPG");
  host_.snapshot.personName = "..";
  EXPECT_EQ(fileAs("b.JPG"), "untitled/untitled_0002.JPG");
}

TEST_F(CaptureFiling, RefusalsLeaveTheSourceAndTheCounterAlone) {
  EXPECT_EQ(renameDownloadedFile(root_ / "gone.JPG", host_).error, kSourceMissingError);
  const fs::path empty = download("empty.JPG", "");
  EXPECT_EQ(renameDownloadedFile(empty, host_).error, kSourceEmptyError);
  const fs::path photo = download("full.JPG", "12345");
  host_.freeBytes = 5 + kStorageReserveBytes - 1;
  EXPECT_EQ(renameDownloadedFile(photo, host_).error, kStorageFullError);
  host_.freeBytes = std::nullopt;
  host_.snapshot.targetFolder.clear();
  EXPECT_EQ(renameDownloadedFile(photo, host_).error, kNoTargetFolderError);

  EXPECT_TRUE(fs::exists(empty));
  EXPECT_EQ(read(photo), "12345");
  EXPECT_EQ(host_.snapshot.counterText, "7");
  EXPECT_FALSE(fs::exists(root_ / "Ann"));

  // Exactly the reserve is enough; free space that cannot be read does not block.
  host_.snapshot.targetFolder = root_;
  host_.freeBytes = 5 + kStorageReserveBytes;
  EXPECT_TRUE(renameDownloadedFile(photo, host_).succeeded());
  host_.freeBytes = std::nullopt;
  EXPECT_TRUE(renameDownloadedFile(download("b.JPG"), host_).succeeded());
}

TEST_F(CaptureFiling, AFullVolumeIsNotMistakenForOneThatCannotBeRead) {
  const fs::path photo = download("full.JPG", "12345");
  host_.freeBytes = 0;
  EXPECT_EQ(renameDownloadedFile(photo, host_).error, kStorageFullError);
  EXPECT_EQ(read(photo), "12345");
  EXPECT_EQ(host_.snapshot.counterText, "7");
  EXPECT_FALSE(fs::exists(root_ / "Ann"));
}

TEST_F(CaptureFiling, NeverReplacesAFileThatAppearsJustBeforeTheMove) {
  host_.onAdvance = [this](std::int64_t next) {
    if (next == 8) write(root_ / "Ann" / "Ann_0007.JPG", "other program");
  };
  const FilingResult result = renameDownloadedFile(download("a.JPG", "ours"), host_);

  EXPECT_EQ(read(root_ / "Ann" / "Ann_0007.JPG"), "other program");
  ASSERT_TRUE(result.succeeded()) << result.error;
  EXPECT_EQ(*result.savedPath, root_ / "Ann" / "Ann_0008.JPG");
  EXPECT_EQ(read(*result.savedPath), "ours");
  EXPECT_EQ(host_.snapshot.counterText, "9");
}

TEST_F(CaptureFiling, AFailedMoveAndCopyReportsWhyAndKeepsTheSource) {
  write(root_ / "Ann", "a file where the person folder belongs");
  EXPECT_EQ(fileAs("a.JPG"), "Not a directory");
  EXPECT_EQ(read(root_ / "a.JPG"), "raw bytes");
}

TEST_F(CaptureFiling, CopiesAcrossVolumesAndRemovesTheSource) {
  const fs::path otherVolume = "/dev/shm";
  struct stat a {
  }, b{};
  if (::stat(otherVolume.c_str(), &a) != 0 || ::stat(root_.c_str(), &b) != 0 ||
      a.st_dev == b.st_dev)
    GTEST_SKIP() << "no second volume";
  const fs::path source = otherVolume / ("vantrel_filing_" + std::to_string(::getpid()) + ".CR3");
  write(source, "from the camera");

  const FilingResult result = renameDownloadedFile(source, host_);

  ASSERT_TRUE(result.succeeded()) << result.error;
  EXPECT_EQ(read(*result.savedPath), "from the camera");
  EXPECT_FALSE(fs::exists(source));
}

}  // namespace
}  // namespace vantrel::filing
