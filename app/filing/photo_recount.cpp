#include "photo_recount.h"

#include "capture_naming.h"
#include "photo_folder_index.h"

namespace vantrel::filing {

bool syncCapturedCountsFromDisk(names::NamesList& list, const std::filesystem::path& targetFolder) {
  if (targetFolder.empty() || list.isEmpty()) return false;
  PhotoFolderIndex index(targetFolder);
  bool changed = false;
  for (names::ModelRow row = 0; row < list.rowCount(); ++row) {
    if (list.rows()[static_cast<std::size_t>(row)].empty()) continue;
    const std::int64_t count =
        index.photoCountForName(sanitize_filename(list.nameForModelRow(row)));
    if (count == list.capturedForModelRow(row)) continue;
    list.setCapturedForModelRow(row, count);
    changed = true;
  }
  return changed;
}

}  // namespace vantrel::filing
