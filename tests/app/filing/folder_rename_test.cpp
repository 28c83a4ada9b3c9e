// Renaming and merging photo folders on disk, the typed-name rules, and the backup mirror.
#include <set>

#include "filing_messages.h"
#include "filing_test_support.h"
#include "folder_rename.h"
#include "folder_renamer.h"

namespace vantrel::filing {
namespace {

namespace fs = std::filesystem;
using testing::Names;

class FolderRename : public testing::TempFolderTest {
 protected:
  // The backup side's mirror: the same relative path under root/backup.
  BackupFolderLookup mirror() const {
    return [this](const fs::path& folder) -> std::optional<fs::path> {
      return root_ / "backup" / folder.lexically_relative(root_ / "target");
    };
  }
};

TEST_F(FolderRename, PlainRenameRenamesImagesNeverReplacingAndKeepsOtherFiles) {
  write(root_ / "Ann" / "Ann_0001.JPG", "one");
  write(root_ / "Ann" / "Ann_0002.CR3");
  write(root_ / "Ann" / "Ann_0003.JPG", "ann 3");
  write(root_ / "Ann" / "Bob_0003.JPG", "bob 3");
  write(root_ / "Ann" / "readme.txt");

  const FolderRenameResult result = renameFolderFSAt(root_ / "Ann", "Bob");

  EXPECT_TRUE(result.succeeded()) << result.error;
  EXPECT_EQ(result.photos, 4);
  EXPECT_FALSE(fs::exists(root_ / "Ann"));
  EXPECT_EQ(namesIn(root_ / "Bob"),
            (Names{"Ann_0003.JPG", "Bob_0001.JPG", "Bob_0002.CR3", "Bob_0003.JPG", "readme.txt"}));
  EXPECT_EQ(read(root_ / "Bob" / "Bob_0001.JPG"), "one");
  EXPECT_EQ(read(root_ / "Bob" / "Bob_0003.JPG"), "bob 3");
}

TEST_F(FolderRename, MergeNumbersAboveTheHighestAndRemovesTheEmptiedFolder) {
  // Numbering goes above the highest number for exactly "Bob", in any extension.
  for (const char* name : {"Bob_0005.JPG", "Bob_FR_0099.JPG", "Bobby_0050.JPG", "Bob_12a.JPG"})
    write(root_ / "Bob" / name);
  write(root_ / "Bob" / "Bob_0007.CR3", "bob 7");
  write(root_ / "Ann" / "Ann_0001.JPG", "ann 1");
  write(root_ / "Ann" / "Ann_0002.JPG", "ann 2");

  const FolderRenameResult result = renameFolderFSAt(root_ / "Ann", "Bob");

  EXPECT_EQ(result.photos, 2);
  EXPECT_FALSE(fs::exists(root_ / "Ann"));
  EXPECT_EQ(namesIn(root_ / "Bob"),
            (Names{"Bob_0005.JPG", "Bob_0007.CR3", "Bob_0008.JPG", "Bob_0009.JPG", "Bob_12a.JPG",
                   "Bob_FR_0099.JPG", "Bobby_0050.JPG"}));
  EXPECT_EQ(read(root_ / "Bob" / "Bob_0007.CR3"), "bob 7");
  // Ann's images are numbered in the order her folder lists them.
  const std::set<std::string> moved = {read(root_ / "Bob" / "Bob_0008.JPG"),
                                       read(root_ / "Bob" / "Bob_0009.JPG")};
  EXPECT_EQ(moved, (std::set<std::string>{"ann 1", "ann 2"}));
}

TEST_F(FolderRename, MergeKeepsAFolderWithOtherFilesAndNeverReplacesAnEmptyFolder) {
  fs::create_directories(root_ / "Bob");
  write(root_ / "Ann" / "Ann_0001.JPG");
  write(root_ / "Ann" / "readme.txt");
  EXPECT_EQ(renameFolderFSAt(root_ / "Ann", "Bob").photos, 1);
  EXPECT_EQ(namesIn(root_ / "Ann"), Names{"readme.txt"});
  EXPECT_EQ(namesIn(root_ / "Bob"), Names{"Bob_0001.JPG"});
}

TEST_F(FolderRename, AFolderInTheWayOfTheNewNameIsAnError) {
  write(root_ / "Ann" / "Ann_0001.JPG");
  write(root_ / "Bob", "a file");
  EXPECT_EQ(renameFolderFSAt(root_ / "Ann", "Bob").error, kCouldNotRenameFolderError);
  EXPECT_EQ(namesIn(root_ / "Ann"), Names{"Ann_0001.JPG"});
  EXPECT_FALSE(renameFolderFSAt(root_ / "Nobody", "Cy").succeeded());
}

TEST_F(FolderRename, TypedNamesAreTrimmedSanitisedAndRefusedWhenEmptyOrUnchanged) {
  write(root_ / "Ann" / "Ann_0001.JPG");
  const FolderRenamer renamer(root_);
  EXPECT_EQ(renamer.renameFolderAt(root_ / "Ann", " \n ").error, kEnterValidNameError);
  EXPECT_EQ(renamer.renameFolderAt(root_ / "Ann", " Ann ").error, kAlreadyFolderNameError);

  const FolderRenameResult result = renamer.renameFolderAt(root_ / "Ann/", "  Bob/2 ");
  EXPECT_EQ(namesIn(root_ / "Bob-2"), Names{"Bob-2_0001.JPG"});
  EXPECT_EQ(renamedFolderStatus("Bob-2", result.photos),
            "Renamed folder to \"Bob-2\" (1 photo updated).");
}

TEST_F(FolderRename, TheBackupCopyIsRenamedAlikeForFoldersInsideTheTarget) {
  write(root_ / "target" / "Ann" / "Ann_0001.JPG");
  write(root_ / "backup" / "Ann" / "Ann_0001.JPG");
  write(root_ / "backup" / "Bob" / "Bob_0001.JPG");
  write(root_ / "target2" / "Cy" / "Cy_0001.JPG");  // its path only starts like the target's
  write(root_ / "backup" / "Cy" / "Cy_0001.JPG");
  const FolderRenamer renamer(root_ / "target", mirror());

  EXPECT_TRUE(renamer.renameFolderAt(root_ / "target" / "Ann", "Bob").succeeded());
  EXPECT_TRUE(renamer.renameFolderAt(root_ / "target2" / "Cy", "Di").succeeded());

  EXPECT_EQ(namesIn(root_ / "backup"), (Names{"Bob", "Cy"}));
  EXPECT_EQ(namesIn(root_ / "backup" / "Bob"), (Names{"Bob_0001.JPG", "Bob_0002.JPG"}));
}

}  // namespace
}  // namespace vantrel::filing
