// Moving a person's photos to another name: their folders are renamed or merged on disk and the
// list gets (or finds) the row of the new name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "folder_renamer.h"
#include "names_list.h"

namespace vantrel::filing {

struct PhotoMoveResult {
  bool performed = false;  // false: the new name was empty or the source's own name
  std::int64_t photos = 0;
  std::string firstError;  // shown as "Move Problem" when set
  names::ModelRow destinationRow = names::kNoRow;
  std::string destinationName;  // the destination row's name, for the status
  bool rowAdded = false;
  std::vector<PhotoRename> renamed;  // every image whose path changed
};

// Renames the source's main folder, and each selected suffix folder, to the destination's name
// (merging where it exists). The destination is another row of the new name, ignoring case,
// whose folders then take the photos under that row's own spelling; otherwise a new row
// inserted directly below the source, which itself stays. The destination becomes the
// current person, counts are recounted from disk and the list re-filtered; the caller writes
// the store, selects the row and shows movedPhotosStatus or the error. Without a target folder
// no file changes but the list still does.
PhotoMoveResult movePhotosFromRow(names::NamesList& list, names::ModelRow sourceRow,
                                  std::string_view newName,
                                  const std::vector<std::string>& selectedSuffixes,
                                  const FolderRenamer& renamer);

}  // namespace vantrel::filing
