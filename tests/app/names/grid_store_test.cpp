// The store on disk: round trips, the export form, crash safety and writing once per change.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>

#include "csv_import.h"
#include "grid_store.h"
#include "names_test_support.h"

namespace vantrel::names {
namespace {

namespace fs = std::filesystem;
using testing::allNames;
using testing::listOfNames;
using testing::makeList;
using Names = std::vector<std::string>;

class GridStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vantrel_names_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::size_t filesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

TEST_F(GridStoreTest, ListSurvivesARestart) {
  auto list = makeList({{"Lee, Ann", "said \"hi\"", "4"}, {"Bo", "", ""}});
  list.setMarkerForModelRow(1, true);
  GridStore store(dir_ / "vantrel_grid.csv");
  ASSERT_TRUE(store.save(list));

  NamesList restored;
  EXPECT_TRUE(GridStore(store.path()).loadGridFromDisk(restored));
  EXPECT_EQ(restored.rows(),
            std::vector<Row>({{"Lee, Ann", "said \"hi\"", "4", ""}, {"Bo", "", "0", "1"}}));
}

TEST_F(GridStoreTest, EmptyListWritesTheBareHeaderWhichLoadsNothing) {
  GridStore store(dir_ / "grid.csv");
  ASSERT_TRUE(store.save(NamesList()));
  EXPECT_EQ(read(store.path()), "File Name,Notes,Captured,Marker");

  auto list = listOfNames(Names{"Kept"});
  EXPECT_FALSE(store.loadGridFromDisk(list));
  EXPECT_TRUE(list.isEmpty());
}

TEST_F(GridStoreTest, MissingStoreLeavesTheListAlone) {
  auto list = listOfNames(Names{"Kept"});
  EXPECT_FALSE(GridStore(dir_ / "none.csv").loadGridFromDisk(list));
  EXPECT_EQ(allNames(list), Names({"Kept"}));
}

TEST_F(GridStoreTest, ExportKeepsNamesAndNotesOnly) {
  auto list = makeList({{"Ann", "late, again", "3"}});
  ASSERT_TRUE(
      GridStore::writeGridToPath(dir_ / "vantrel-list.csv", list.rows(), GridColumns::NameAndNote));
  EXPECT_EQ(read(dir_ / "vantrel-list.csv"), "File Name,Notes\nAnn,\"late, again\"");
  EXPECT_EQ(readFirstColumnOfCsvFile(dir_ / "vantrel-list.csv"), Names({"Ann"}));
}

TEST_F(GridStoreTest, FailedWriteLeavesTheOldStoreIntact) {
  const fs::path path = dir_ / "vantrel_grid.csv";
  const std::string before = "File Name,Notes,Captured,Marker\nAnn,,1,";
  write(path, before);
  std::vector<Row> big(20000, Row{"Someone With A Long Name", "a note", "12", "1"});

  // The file size limit cuts the write off part-way, as a full disk or a crash would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = GridStore::writeGridToPath(path, big, GridColumns::NameNoteCountMarker);
  setrlimit(RLIMIT_FSIZE, &old);

  EXPECT_FALSE(written);
  EXPECT_TRUE(read(path) == before) << "the old store was damaged";
  EXPECT_EQ(filesInDir(), 1u) << "the temporary file must not be left behind";
}

TEST_F(GridStoreTest, WritesOncePerChangeAndNotAfterAReset) {
  GridStore store(dir_ / "grid.csv");
  auto list = listOfNames(Names{"Ann"});
  ASSERT_TRUE(store.saveIfChanged(list));
  ASSERT_TRUE(fs::exists(store.path()));

  fs::remove(store.path());
  list.setMarkerForModelRow(0, false);  // already clear: no change
  EXPECT_TRUE(store.saveIfChanged(list));
  EXPECT_FALSE(fs::exists(store.path()));

  list.setNote(0, "x");
  EXPECT_TRUE(store.saveIfChanged(list));
  EXPECT_TRUE(fs::exists(store.path()));

  list.reset();
  store.discard(list);
  EXPECT_TRUE(store.saveIfChanged(list));
  EXPECT_FALSE(fs::exists(store.path()));
}

TEST_F(GridStoreTest, LoadingDoesNotCountAsAChange) {
  GridStore store(dir_ / "grid.csv");
  write(store.path(), "h\nAnn,,2,");
  NamesList list;
  ASSERT_TRUE(store.loadGridFromDisk(list));
  fs::remove(store.path());
  store.saveIfChanged(list);
  EXPECT_FALSE(fs::exists(store.path()));
}

}  // namespace
}  // namespace vantrel::names
