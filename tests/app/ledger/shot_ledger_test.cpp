// The shot ledger: a row per announced photo, following it to its backup, and what still waits.
#include "shot_ledger.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "ledger_time.h"

namespace vantrel::ledger {
namespace {

constexpr std::int64_t kGrace = 30000;

TEST(ShotLedger, ARowFollowsItsPhotoFromAnnouncementToBackup) {
  ShotLedger ledger;
  const auto row = ledger.announce("2026-12-08T10:00:00+01:00", 1000);
  EXPECT_EQ(ledger.pending(row, 1000 + kGrace - 1, kGrace), Pending::None) << "within its grace";
  EXPECT_EQ(ledger.pending(row, 1000 + kGrace, kGrace), Pending::Download);

  EXPECT_EQ(ledger.downloaded(row, "/photos/IMG_0001.JPG", "t", 2000), row);
  EXPECT_EQ(ledger.rows()[row].cameraFile, "IMG_0001.JPG");
  EXPECT_EQ(ledger.pending(row, 2000 + kGrace, kGrace), Pending::Filing);

  EXPECT_EQ(
      ledger.filed("/photos/IMG_0001.JPG", "/photos/Ann/Ann_0001.JPG", "Ann", "waiting", "t", 3000),
      row);
  EXPECT_EQ(ledger.pending(row, 3000 + kGrace, kGrace), Pending::Backup);
  EXPECT_TRUE(ledger.setBackup("/photos/Ann/Ann_0001.JPG", "copied", 4000));
  EXPECT_FALSE(ledger.setBackup("/photos/Ann/Ann_0001.JPG", "copied", 5000));
  EXPECT_EQ(ledger.pending(row, 999999, kGrace), Pending::None);
  EXPECT_EQ(ledger.rows().size(), 1u);
}

TEST(ShotLedger, PhotosWithoutAnAnnouncementStillGetTheirRow) {
  ShotLedger ledger;
  // A worker without event ids, and a photo left from a crash that is filed at the next launch.
  const auto downloaded = ledger.downloaded(std::nullopt, "/p/IMG_0002.JPG", "t1", 10);
  const auto recovered =
      ledger.filed("/p/IMG_0007.JPG", "/p/Bob/Bob_0001.JPG", "Bob", "off", "t2", 20);
  EXPECT_NE(downloaded, recovered);
  EXPECT_EQ(ledger.rows()[recovered].cameraFile, "IMG_0007.JPG");
  EXPECT_EQ(ledger.pending(recovered, 20 + kGrace, kGrace), Pending::None) << "backup off";
  // A second announcement's download never lands on a row that already has its photo.
  const auto again = ledger.downloaded(downloaded, "/p/IMG_0003.JPG", "t3", 30);
  EXPECT_NE(again, downloaded);
}

TEST(ShotLedger, CouldNotBackUpWaitsForTheOperatorAndRenamesAreFollowed) {
  ShotLedger ledger;
  const auto row = ledger.filed("/p/IMG_1.JPG", "/p/Ann/Ann_0001.JPG", "Ann", "waiting", "t", 100);
  ledger.setBackup("/p/Ann/Ann_0001.JPG", "could not: the photo is empty", 200);
  EXPECT_EQ(ledger.pending(row, 201, kGrace), Pending::Backup) << "no grace for a failure";
  EXPECT_TRUE(ledger.renamed("/p/Ann/Ann_0001.JPG", "/p/Bob/Bob_0004.JPG", "Bob"));
  EXPECT_EQ(ledger.rows()[row].savedAs, "/p/Bob/Bob_0004.JPG");
  EXPECT_EQ(ledger.rows()[row].person, "Bob");
  EXPECT_FALSE(ledger.renamed("/p/none.JPG", "/p/x.JPG", ""));
}

TEST(ShotLedger, TheFileRoundTripsAndExportsADayRange) {
  const auto file = std::filesystem::temp_directory_path() /
                    ("vantrel_ledger_" + std::to_string(::getpid()) + ".csv");
  {
    ShotLedger ledger(file);
    ledger.filed("/p/IMG_1.JPG", "/p/Lee, Ann/Lee, Ann_0001.JPG", "Lee, Ann \"Annie\"", "copied",
                 "2026-12-07T09:00:00+01:00", 1);
    const auto open = ledger.announce("2026-12-08T09:00:00+01:00", 2);
    static_cast<void>(open);
    ASSERT_TRUE(ledger.save());
  }
  ShotLedger read(file);
  ASSERT_TRUE(read.load());
  ASSERT_EQ(read.rows().size(), 2u);
  EXPECT_EQ(read.rows()[0].person, "Lee, Ann \"Annie\"");
  EXPECT_EQ(read.rows()[0].savedAs, "/p/Lee, Ann/Lee, Ann_0001.JPG");
  // Read back, a row still waiting counts as long pending.
  EXPECT_EQ(read.pending(1, 3, kGrace), Pending::Download);
  EXPECT_EQ(read.unresolvedCount("2026-12-08", 3, kGrace), 1u);
  EXPECT_EQ(read.unresolvedCount("2026-12-07", 3, kGrace), 0u);

  const std::string oneDay = read.csv("2026-12-07", "2026-12-07");
  EXPECT_EQ(oneDay.substr(0, oneDay.find('\n')), "Time,Camera File,Person,Saved As,Backup");
  EXPECT_NE(oneDay.find("2026-12-07T09:00:00+01:00,IMG_1.JPG,"), std::string::npos);
  EXPECT_EQ(oneDay.find("2026-12-08"), std::string::npos);
  std::filesystem::remove(file);

  ShotLedger missing(file);
  EXPECT_TRUE(missing.load());
  EXPECT_TRUE(missing.rows().empty());
}

TEST(LedgerTime, IsIso8601WithTheOffset) {
  const std::string time = isoLocalTime(0);
  ASSERT_EQ(time.size(), 25u) << time;
  EXPECT_EQ(time[10], 'T');
  EXPECT_TRUE(time[19] == '+' || time[19] == '-') << time;
  EXPECT_EQ(time[22], ':');
  EXPECT_EQ(dayOf(time).size(), 10u);
  EXPECT_EQ(unaccountedText(1), "1 photo not accounted for");
}

}  // namespace
}  // namespace vantrel::ledger
