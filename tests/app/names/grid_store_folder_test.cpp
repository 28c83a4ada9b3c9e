// The store's folder is made at launch; someone may remove it while the application runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "grid_store.h"
#include "names_test_support.h"

namespace vantrel::names {
namespace {

namespace fs = std::filesystem;

TEST(GridStoreFolder, AFolderRemovedSinceLaunchIsMadeAgainBeforeTheNextWrite) {
  const fs::path root = fs::temp_directory_path() / ("vantrel_store_" + std::to_string(getpid()));
  fs::remove_all(root);
  const fs::path store = root / "Vantrel Tether" / "vantrel_grid.csv";
  fs::create_directories(store.parent_path());
  GridStore grid(store);
  NamesList list = testing::listOfNames({"Ann", "Bob"});
  ASSERT_TRUE(grid.save(list));

  fs::remove_all(root);
  list.appendFirstColumn({"Cy", "Dee", "Eve"});
  EXPECT_TRUE(grid.saveIfChanged(list));
  ASSERT_TRUE(fs::exists(store));
  NamesList reread;
  EXPECT_TRUE(GridStore(store).loadGridFromDisk(reread));
  EXPECT_EQ(reread.rowCount(), 5);
  fs::remove_all(root);
}

}  // namespace
}  // namespace vantrel::names
