#include "grid_store.h"

#include "atomic_file.h"
#include "file_bytes.h"
#include "grid_format.h"

namespace vantrel::names {

bool GridStore::writeGridToPath(const std::filesystem::path& path, const std::vector<Row>& rows,
                                GridColumns columns, const std::vector<std::string>& fieldNames) {
  return vantrel::write_file_atomically(path, formatGrid(rows, columns, fieldNames));
}

bool GridStore::loadGridFromDisk(NamesList& list) {
  std::error_code error;
  if (!std::filesystem::exists(path_, error)) {
    // No store and no rows agree: nothing to write until the list changes.
    if (list.isEmpty()) storedRevision_ = list.revision();
    return false;
  }
  const std::optional<std::string> bytes = readFileBytes(path_);
  GridContents grid = bytes ? parseGrid(*bytes) : GridContents();
  list.replaceRows(std::move(grid.rows), std::move(grid.fieldNames));
  storedRevision_ = list.revision();
  return !list.isEmpty();
}

bool GridStore::saveIfChanged(const NamesList& list) {
  return storedRevision_ == list.revision() || save(list);
}

bool GridStore::save(const NamesList& list) {
  // The data folder is made at launch, but someone may have removed it since.
  std::error_code ignored;
  std::filesystem::create_directories(path_.parent_path(), ignored);
  if (!writeGridToPath(path_, list.rows(), GridColumns::NameNoteCountMarker, list.fieldNames()))
    return false;
  storedRevision_ = list.revision();
  return true;
}

void GridStore::discard(const NamesList& list) {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  storedRevision_ = list.revision();
}

}  // namespace vantrel::names
