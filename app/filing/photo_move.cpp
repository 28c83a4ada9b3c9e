#include "photo_move.h"

#include <filesystem>
#include <utility>

#include "capture_naming.h"
#include "entered_text.h"
#include "folder_listing.h"
#include "photo_recount.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringCase(const names::NamesList& list, std::string_view a, std::string_view b) {
  return list.folding().lower(a) == list.folding().lower(b);
}

names::ModelRow otherRowNamed(const names::NamesList& list, std::string_view name,
                              names::ModelRow except) {
  const std::string wanted = list.folding().lower(name);
  for (names::ModelRow row = 0; row < list.rowCount(); ++row)
    if (row != except && list.folding().lower(list.nameForModelRow(row)) == wanted) return row;
  return names::kNoRow;
}

}  // namespace

PhotoMoveResult movePhotosFromRow(names::NamesList& list, names::ModelRow sourceRow,
                                  std::string_view newName,
                                  const std::vector<std::string>& selectedSuffixes,
                                  const FolderRenamer& renamer) {
  PhotoMoveResult result;
  if (!list.isValidRow(sourceRow) || list.rows()[static_cast<std::size_t>(sourceRow)].empty())
    return result;
  const std::string name(names::trimWhitespace(newName));
  const std::string sourceName(list.nameForModelRow(sourceRow));
  if (name.empty() || sameIgnoringCase(list, name, sourceName)) return result;
  result.performed = true;

  // An existing row of the name (ignoring case) takes the photos into its own folder, so that
  // they count for the row the list jumps to.
  const names::ModelRow existingRow = otherRowNamed(list, name, sourceRow);
  result.destinationName =
      existingRow == names::kNoRow ? name : std::string(list.nameForModelRow(existingRow));

  const fs::path& target = renamer.targetFolder();
  if (!target.empty()) {
    const std::string from = sanitize_filename(sourceName);
    const std::string to = sanitize_filename(result.destinationName);
    // The main folder always moves; suffix folders only when chosen.
    std::vector<std::pair<fs::path, std::string>> renames;
    if (isDirectory(target / from)) renames.emplace_back(target / from, to);
    for (const std::string& suffix : selectedSuffixes)
      if (!suffix.empty() && isDirectory(target / (from + suffix)))
        renames.emplace_back(target / (from + suffix), to + suffix);
    for (const auto& [folder, newFolderName] : renames) {
      const FolderRenameResult renamed = renamer.renameFolderAt(folder, newFolderName);
      result.photos += renamed.photos;
      result.renamed.insert(result.renamed.end(), renamed.renamed.begin(), renamed.renamed.end());
      if (!renamed.succeeded() && result.firstError.empty()) result.firstError = renamed.error;
    }
  }

  result.rowAdded = existingRow == names::kNoRow;
  result.destinationRow = result.rowAdded ? list.insertNameBelow(sourceRow, name) : existingRow;
  list.setSelectedRow(result.destinationRow);
  // The source row keeps whatever is left on disk, usually nothing.
  syncCapturedCountsFromDisk(list, target);
  list.applySearchFilter();
  return result;
}

}  // namespace vantrel::filing
