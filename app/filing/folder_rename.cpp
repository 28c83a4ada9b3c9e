#include "folder_rename.h"

#include <optional>
#include <vector>

#include "capture_naming.h"
#include "filing_messages.h"
#include "folder_listing.h"
#include "image_types.h"
#include "no_replace_rename.h"
#include "photo_folders.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

namespace {

// Names taken by someone else during a merge, per image, before that image is left behind.
constexpr int kMaxTakenNames = 1000;

std::string describe(const std::error_code& error) {
  const std::string description = error ? error.message() : std::string();
  return description.empty() ? std::string(kCouldNotRenameFolderError) : description;
}

bool somethingAt(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

std::string entryName(const fs::directory_entry& entry) {
  return entry.path().filename().native();
}

// After the folder itself was renamed from `oldFolder`: images named after the old folder take
// the new name.
FolderRenameResult renameImagesByPrefix(const fs::path& oldFolder, const fs::path& folder,
                                        std::string_view oldName, std::string_view newName) {
  FolderRenameResult result;
  const auto entries = listFolder(folder);
  if (!entries) return result;
  for (const auto& entry : *entries) {
    const std::string name = entryName(entry);
    if (!isImageFileName(name)) continue;
    ++result.photos;
    fs::path now = entry.path();
    if (name.starts_with(oldName)) {
      const std::string renamed = std::string(newName) + name.substr(oldName.size());
      // A file already holding the new name keeps it; this image keeps its old one.
      std::error_code error;
      if (renamed != name && rename_no_replace(entry.path(), folder / renamed, error)) {
        now = folder / renamed;
      }
    }
    result.renamed.push_back({oldFolder / name, now});
  }
  return result;
}

FolderRenameResult mergeImages(const fs::path& folder,
                               const std::vector<fs::directory_entry>& entries,
                               const fs::path& destination, std::string_view newName) {
  if (!isDirectory(destination)) return {0, std::string(kCouldNotRenameFolderError), {}};
  std::int64_t number = maxNumberedIndexInFolder(destination, newName) + 1;
  FolderRenameResult result;
  for (const auto& entry : entries) {
    const std::string name = entryName(entry);
    if (!isImageFileName(name)) continue;
    const std::string_view extension = fileExtension(name);
    for (int taken = 0; taken < kMaxTakenNames; ++taken) {
      std::error_code error;
      const fs::path to = destination / captureFileName(newName, number++, extension);
      const bool ok = rename_no_replace(entry.path(), to, error);
      if (ok) {
        ++result.photos;
        result.renamed.push_back({entry.path(), to});
      }
      // A failed move leaves the image in the old folder, which then stays.
      if (ok || error != std::errc::file_exists) break;
    }
  }
  // Removes the folder only when it is empty.
  std::error_code ignored;
  fs::remove(folder, ignored);
  return result;
}

}  // namespace

FolderRenameResult renameFolderFSAt(const fs::path& folder, std::string_view sanitizedName) {
  const fs::path source = folder.has_filename() ? folder : folder.parent_path();
  const std::string oldName = source.filename().native();
  const fs::path destination = source.parent_path() / sanitizedName;

  // Listed first: a merge moves exactly what was there.
  std::error_code listError;
  const auto entries = listFolder(source, listError);
  if (!entries) return {0, describe(listError), {}};

  if (!somethingAt(destination)) {
    std::error_code error;
    if (rename_no_replace(source, destination, error))
      return renameImagesByPrefix(source, destination, oldName, sanitizedName);
    // Someone made the new folder meanwhile: merge into it rather than fail.
    if (error != std::errc::file_exists) return {0, describe(error), {}};
  }
  return mergeImages(source, *entries, destination, sanitizedName);
}

}  // namespace vantrel::filing
