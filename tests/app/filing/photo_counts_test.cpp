// Which folders belong to a name, how many photos they hold, and the recount of a whole list.
#include <random>

#include "capture_naming.h"
#include "filing_messages.h"
#include "filing_test_support.h"
#include "photo_folder_index.h"
#include "photo_folders.h"
#include "photo_recount.h"

namespace vantrel::filing {
namespace {

namespace fs = std::filesystem;
using names::NamesList;

class PhotoCounts : public testing::TempFolderTest {
 protected:
  // One name the direct way: its folders looked up on disk, each counted.
  std::int64_t countOnDisk(std::string_view name) const {
    std::int64_t total = 0;
    for (const auto& folder : foldersForRowName(root_, sanitize_filename(name)))
      total += imageCountInFolder(folder);
    return total;
  }
};

TEST_F(PhotoCounts, ANamesFoldersAreItsOwnAndItsTaggedOnes) {
  for (auto [name, images] : {std::pair{"Ann_FR", 2},
                              {"Ann", 3},
                              {"Ann_SS", 0},
                              {"Anna", 4},
                              {"ann", 5},
                              {"Ann-B", 6},
                              {"Ann_Lee", 7}})
    makePhotoFolder(root_ / name, images);
  write(root_ / "Ann_notes.JPG");
  // Only images directly inside count, hidden ones too.
  for (const char* name : {"._IMG.JPG", "notes.txt", "IMG"}) write(root_ / "Ann" / name);
  makePhotoFolder(root_ / "Ann" / "extra", 2);

  const auto folders = foldersForRowName(root_, "Ann");
  ASSERT_EQ(folders.size(), 4u);
  EXPECT_EQ(folders[0], root_ / "Ann");
  EXPECT_EQ(imageCountInFolder(root_ / "Ann"), 4);
  EXPECT_EQ(countOnDisk("Ann"), 13);
  EXPECT_EQ(countOnDisk("Ann_Lee"), 7);
  EXPECT_EQ(countOnDisk("ann"), 5);
}

TEST_F(PhotoCounts, RecountSetsEveryRowAndSaysWhetherAnythingChanged) {
  makePhotoFolder(root_ / "Ann", 3);
  makePhotoFolder(root_ / "untitled", 1);
  NamesList list;
  list.replaceRows({{"Ann", "", "9"}, {"Bob", "", "2"}, {""}, {}});

  EXPECT_FALSE(syncCapturedCountsFromDisk(list, fs::path()));
  EXPECT_EQ(list.capturedForModelRow(0), 9);
  EXPECT_TRUE(syncCapturedCountsFromDisk(list, root_));
  EXPECT_EQ(list.capturedForModelRow(0), 3);
  EXPECT_EQ(list.capturedForModelRow(1), 0);
  EXPECT_EQ(list.capturedForModelRow(2), 1);  // an empty name counts "untitled"
  EXPECT_TRUE(list.rows()[3].empty());
  EXPECT_FALSE(syncCapturedCountsFromDisk(list, root_));
}

// The recount looks every name up in one listing; it must agree with looking each one up on
// disk, on a tree full of prefixes, case twins and files named like folders.
TEST_F(PhotoCounts, OneListingAgreesWithLookingEachNameUp) {
  const testing::Names bases = {"Ann", "Ann Lee", "Ann_Lee", "ann", "Anna",   "An",
                                "Bo",  "Bo_",     "Zoë",     "Zoe", "A-B-C-", "untitled"};
  const testing::Names suffixes = {"", "_FR", "_SS", "-B", "_", "__x", "_FR_SS", "_Lee"};
  std::mt19937 random(20240607);
  for (const auto& base : bases)
    for (const auto& suffix : suffixes) {
      const fs::path path = root_ / (base + suffix);
      const unsigned kind = random() % 4;
      if (fs::exists(fs::symlink_status(path)) || kind == 0) continue;
      if (kind == 1)
        write(path);
      else
        makePhotoFolder(path, static_cast<int>(random() % 4));
    }
  fs::create_directory_symlink(root_ / "Ann", root_ / "Ann_link");

  std::vector<names::Row> rows;
  for (const auto& name : bases) rows.push_back({name});
  for (const char* name : {"", " Ann ", "A/B:C?", "Nobody", "Bo_ "}) rows.push_back({name});
  NamesList list;
  list.replaceRows(rows);

  PhotoFolderIndex index(root_);
  syncCapturedCountsFromDisk(list, root_);
  for (names::ModelRow row = 0; row < list.rowCount(); ++row) {
    const std::string_view name = list.nameForModelRow(row);
    EXPECT_EQ(index.foldersForRowName(sanitize_filename(name)),
              foldersForRowName(root_, sanitize_filename(name)))
        << name;
    EXPECT_EQ(list.capturedForModelRow(row), countOnDisk(name)) << name;
  }
}

TEST(NameColumnTitle, SortTitleThenTheNumberOfNames) {
  EXPECT_EQ(nameColumnTitleWithCount(names::SortMode::ListOrder, 0), "Name");
  EXPECT_EQ(nameColumnTitleWithCount(names::SortMode::ListOrder, 1), "Name      1 name");
  EXPECT_EQ(nameColumnTitleWithCount(names::SortMode::Ascending, 12), "Name  \u2191      12 names");
}

}  // namespace
}  // namespace vantrel::filing
