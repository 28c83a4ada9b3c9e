// The record of checked copies may spare a second comparison, never vouch for a changed photo.
#include "verified_copies.h"

#include <gtest/gtest.h>

#include <thread>

#include "backup_test_support.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeFile;

class VerifiedCopiesTest : public ::testing::Test {
 protected:
  // A photo and its copy with the same bytes.
  void photoWithCopy(const fs::path& photo, const fs::path& copy, const std::string& bytes) {
    writeFile(photo, bytes);
    writeFile(copy, bytes);
  }

  TempDir dir;
  fs::path file = dir / "backup_verified.plist";
  fs::path photo = dir / "target" / "Anna" / "Anna_0001.jpg";
  fs::path copy = dir / "backup" / "Anna" / "Anna_0001.jpg";
};

TEST_F(VerifiedCopiesTest, VouchesAfterARestart) {
  photoWithCopy(photo, copy, "photo");
  VerifiedCopies(file).record(photo, copy);

  VerifiedCopies reloaded(file);
  EXPECT_EQ(reloaded.vouchedCopy(photo), std::nullopt) << "nothing before load()";
  reloaded.load();
  EXPECT_EQ(reloaded.vouchedCopy(photo), copy);
  EXPECT_EQ(reloaded.vouchedCopy(dir / "target" / "other.jpg"), std::nullopt);
}

TEST_F(VerifiedCopiesTest, StopsVouchingWhenThePhotoOrItsCopyChanged) {
  VerifiedCopies verified({});
  photoWithCopy(photo, copy, "photo");
  verified.record(photo, copy);
  ASSERT_EQ(verified.vouchedCopy(photo), copy);

  // The same size, written again later.
  writeFile(photo, "PHOTO");
  fs::last_write_time(photo, fs::last_write_time(photo) + std::chrono::seconds(5));
  EXPECT_EQ(verified.vouchedCopy(photo), std::nullopt);

  verified.record(photo, copy);
  writeFile(copy, "half");
  EXPECT_EQ(verified.vouchedCopy(photo), std::nullopt) << "the copy lost bytes";
  fs::remove(copy);
  EXPECT_EQ(verified.vouchedCopy(photo), std::nullopt) << "the copy is gone";

  writeFile(copy, "PHOTO");
  verified.forget(photo);
  EXPECT_EQ(verified.vouchedCopy(photo), std::nullopt);
  EXPECT_EQ(verified.size(), 0u);
}

TEST_F(VerifiedCopiesTest, FollowsRenamedFoldersByWholeComponents) {
  const fs::path neighbour = dir / "target" / "Annabel" / "Annabel_0001.jpg";
  const fs::path neighbourCopy = dir / "backup" / "Annabel" / "Annabel_0001.jpg";
  photoWithCopy(photo, copy, "photo");
  photoWithCopy(neighbour, neighbourCopy, "other");
  VerifiedCopies verified(file);
  verified.record(photo, copy);
  verified.record(neighbour, neighbourCopy);

  fs::rename(dir / "target" / "Anna", dir / "target" / "Anna B");
  fs::rename(dir / "backup" / "Anna", dir / "backup" / "Anna B");
  verified.renamePrefix(dir / "target" / "Anna", dir / "target" / "Anna B");
  verified.renamePrefix(dir / "backup" / "Anna", dir / "backup" / "Anna B");

  VerifiedCopies reloaded(file);
  reloaded.load();
  EXPECT_EQ(reloaded.vouchedCopy(dir / "target" / "Anna B" / "Anna_0001.jpg"),
            dir / "backup" / "Anna B" / "Anna_0001.jpg");
  EXPECT_EQ(reloaded.vouchedCopy(neighbour), neighbourCopy);
  EXPECT_EQ(reloaded.size(), 2u);
}

TEST_F(VerifiedCopiesTest, AnyBytesInAPathReadBack) {
  const std::string odd = std::string("tab\tnew\nline \x01 \xff\xfe <&> \"'");
  const fs::path oddPhoto = dir / "target" / odd / (odd + ".jpg");
  const fs::path oddCopy = dir / "backup" / odd / (odd + ".jpg");
  photoWithCopy(oddPhoto, oddCopy, "photo");
  VerifiedCopies(file).record(oddPhoto, oddCopy);

  VerifiedCopies reloaded(file);
  reloaded.load();
  EXPECT_EQ(reloaded.vouchedCopy(oddPhoto), oddCopy);
}

TEST_F(VerifiedCopiesTest, DamagedFileLeavesAnEmptyRecord) {
  writeFile(file, "<plist><array><string>cut off");
  VerifiedCopies verified(file);
  verified.load();
  EXPECT_EQ(verified.size(), 0u);
}

TEST_F(VerifiedCopiesTest, RecordsFromSeveralThreadsAllReachTheFile) {
  constexpr int kPhotos = 40;
  VerifiedCopies verified(file);
  for (int i = 0; i < kPhotos; ++i)
    photoWithCopy(dir / "target" / std::to_string(i), dir / "backup" / std::to_string(i), "x");
  std::thread recorder([&] {
    for (int i = 0; i < kPhotos; i += 2)
      verified.record(dir / "target" / std::to_string(i), dir / "backup" / std::to_string(i));
  });
  for (int i = 1; i < kPhotos; i += 2) {
    verified.record(dir / "target" / std::to_string(i), dir / "backup" / std::to_string(i));
    verified.vouchedCopy(dir / "target" / "0");
  }
  recorder.join();

  VerifiedCopies reloaded(file);
  reloaded.load();
  EXPECT_EQ(reloaded.size(), static_cast<std::size_t>(kPhotos));
}

}  // namespace
}  // namespace vantrel::backup
