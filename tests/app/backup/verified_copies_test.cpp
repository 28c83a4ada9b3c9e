// The record of checked copies may spare a second comparison, never vouch for a changed photo.
#include "verified_copies.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <thread>

#include "backup_test_support.h"
#include "string_array_plist.h"

namespace vantrel::backup {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class VerifiedCopiesTest : public ::testing::Test {
 protected:
  // A photo and its copy with the same bytes.
  void photoWithCopy(const fs::path& photo, const fs::path& copy, const std::string& bytes) {
    writeFile(photo, bytes);
    writeFile(copy, bytes);
  }

  static std::int64_t modifiedNs(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  }

  // `photo` and `other`, each with its copy, recorded in that order.
  void twoPhotosRecorded() {
    photoWithCopy(photo, copy, "photo");
    photoWithCopy(other, otherCopy, "other photo");
    VerifiedCopies verified(file);
    verified.record(photo, copy);
    verified.record(other, otherCopy);
  }

  TempDir dir;
  fs::path file = dir / "backup_verified.plist";
  fs::path journal = dir / "backup_verified.journal";
  fs::path photo = dir / "target" / "Anna" / "Anna_0001.jpg";
  fs::path copy = dir / "backup" / "Anna" / "Anna_0001.jpg";
  fs::path other = dir / "target" / "Bob" / "Bob_0001.jpg";
  fs::path otherCopy = dir / "backup" / "Bob" / "Bob_0001.jpg";
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

TEST_F(VerifiedCopiesTest, ACopyIsAppendedAndTheNextLoadWritesTheRecordWhole) {
  twoPhotosRecorded();
  EXPECT_FALSE(fs::exists(file)) << "a copy does not rewrite the whole record";
  EXPECT_GT(fs::file_size(journal), 0u);

  VerifiedCopies reloaded(file);
  reloaded.load();
  EXPECT_EQ(reloaded.vouchedCopy(photo), copy);
  EXPECT_EQ(reloaded.vouchedCopy(other), otherCopy);
  EXPECT_EQ(fs::file_size(journal), 0u);
  // What an older version reads: the whole record, four strings a photo.
  EXPECT_EQ(readStringArrayPlistFile(file),
            (std::vector<std::string>{photo.native(), "5", std::to_string(modifiedNs(photo)),
                                      copy.native(), other.native(), "11",
                                      std::to_string(modifiedNs(other)), otherCopy.native()}));
}

TEST_F(VerifiedCopiesTest, ARecordWrittenByAnOlderVersionIsRead) {
  photoWithCopy(photo, copy, "photo");
  writeFile(file, formatStringArrayPlist(std::vector<std::string>{
                      photo.native(), "5", std::to_string(modifiedNs(photo)), copy.native()}));
  VerifiedCopies verified(file);
  verified.load();
  EXPECT_EQ(verified.vouchedCopy(photo), copy);
}

TEST_F(VerifiedCopiesTest, ALineCutShortByACrashAndAnythingAfterADamagedLineAreLeftOut) {
  twoPhotosRecorded();
  const std::string lines = readFile(journal);

  writeFile(journal, lines.substr(0, lines.size() - 9));
  VerifiedCopies cut(file);
  cut.load();
  EXPECT_EQ(cut.vouchedCopy(photo), copy);
  EXPECT_EQ(cut.vouchedCopy(other), std::nullopt);

  std::string damaged = lines;
  damaged[damaged.find('\t') + 3] ^= 1;  // one bit of the first photo's path
  fs::remove(file);
  writeFile(journal, damaged);
  VerifiedCopies garbled(file);
  garbled.load();
  EXPECT_EQ(garbled.size(), 0u);
}

TEST_F(VerifiedCopiesTest, TheJournalNeverGrowsWithoutEnd) {
  photoWithCopy(photo, copy, "photo");
  VerifiedCopies verified(file);
  for (int i = 0; i < 2500; ++i) verified.record(photo, copy);
  const std::string lines = readFile(journal);
  EXPECT_LE(std::count(lines.begin(), lines.end(), '\n'), 1000);
  VerifiedCopies reloaded(file);
  reloaded.load();
  EXPECT_EQ(reloaded.vouchedCopy(photo), copy);
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
