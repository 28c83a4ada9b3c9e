#include "folder_renamer.h"

#include <algorithm>
#include <string>

#include "capture_naming.h"
#include "entered_text.h"
#include "filing_messages.h"
#include "folder_listing.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

namespace {

fs::path withoutTrailingSeparator(const fs::path& path) {
  const fs::path normal = path.lexically_normal();
  return normal.has_filename() ? normal : normal.parent_path();
}

// Whole components: "/photos/target2/Ann" is not inside "/photos/target".
bool isStrictlyInside(const fs::path& path, const fs::path& folder) {
  const fs::path inner = withoutTrailingSeparator(path);
  const fs::path outer = withoutTrailingSeparator(folder);
  const auto [outerEnd, innerAt] =
      std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  return outerEnd == outer.end() && innerAt != inner.end();
}

}  // namespace

FolderRenamer::FolderRenamer(fs::path targetFolder, BackupFolderLookup backupFolderFor)
    : targetFolder_(std::move(targetFolder)), backupFolderFor_(std::move(backupFolderFor)) {}

FolderRenameResult FolderRenamer::renameFolderAt(const fs::path& folder,
                                                 std::string_view name) const {
  const std::string_view trimmed = names::trimWhitespace(name);
  if (trimmed.empty()) return {0, std::string(kEnterValidNameError), {}};
  const std::string newName = sanitize_filename(trimmed);
  const fs::path source = withoutTrailingSeparator(folder);
  if (newName == source.filename().native()) return {0, std::string(kAlreadyFolderNameError), {}};

  // Looked up before the rename, while the folder still has its old name.
  const std::optional<fs::path> backupCopy = backupCopyOf(source);
  FolderRenameResult result = renameFolderFSAt(source, newName);
  if (backupCopy && isDirectory(*backupCopy)) renameFolderFSAt(*backupCopy, newName);
  return result;
}

std::optional<fs::path> FolderRenamer::backupCopyOf(const fs::path& folder) const {
  if (!backupFolderFor_ || targetFolder_.empty() || !isStrictlyInside(folder, targetFolder_))
    return std::nullopt;
  return backupFolderFor_(folder);
}

}  // namespace vantrel::filing
