#include "portrait_choice.h"

#include "portrait_owner.h"

#include <cstdint>
#include <tuple>

#include "capture_naming.h"
#include "folder_listing.h"
#include "image_types.h"
#include "path_inside.h"
#include "photo_folders.h"
#include "yearbook_fields.h"

namespace vantrel::yearbook {

namespace fs = std::filesystem;

namespace {

bool isJpegName(std::string_view name) {
  std::string ext(filing::fileExtension(name));
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == "jpg" || ext == "jpeg";
}

// What makes one candidate later than another.
struct Rank {
  std::int64_t number = -1;
  fs::file_time_type modified;
  fs::path path;
  bool operator<(const Rank& other) const {
    return std::tie(number, modified, path) < std::tie(other.number, other.modified, other.path);
  }
};

}  // namespace

std::optional<fs::path> chosenPhotoInTarget(const fs::path& targetFolder,
                                            std::string_view relativePath) {
  if (targetFolder.empty() || relativePath.empty() || relativePath.front() == '/')
    return std::nullopt;
  fs::path path = targetFolder;
  for (std::size_t start = 0; start <= relativePath.size();) {
    std::size_t end = relativePath.find('/', start);
    if (end == std::string_view::npos) end = relativePath.size();
    const std::string_view part = relativePath.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return std::nullopt;
    path /= part;
    start = end + 1;
  }
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  const fs::path realTarget = fs::canonical(targetFolder, error);
  if (error) return std::nullopt;
  const fs::path realPath = fs::canonical(path, error);
  if (error) return std::nullopt;
  const auto inside = relative_path_inside(realTarget, realPath);
  if (!inside || inside->empty()) return std::nullopt;
  return path;
}

PortraitChoice lastPhotoOfPerson(const fs::path& targetFolder, std::string_view personName) {
  const std::string folderBase = filing::sanitize_filename(personName);
  std::optional<Rank> best;
  bool sawRaw = false;
  bool sawOther = false;
  for (const fs::path& folder : filing::foldersForRowName(targetFolder, folderBase)) {
    const auto entries = filing::listFolder(folder);
    if (!entries) continue;
    const std::string folderName = folder.filename().native();
    for (const fs::directory_entry& entry : *entries) {
      const std::string name = entry.path().filename().native();
      if (name.starts_with('.') || !filing::isImageFileName(name)) continue;
      std::error_code error;
      if (!entry.is_regular_file(error)) continue;
      if (!isJpegName(name)) {
        (filing::isPreviewableImagePath(name) ? sawOther : sawRaw) = true;
        continue;
      }
      Rank rank{filing::numberAfterPrefix(name, folderName).value_or(-1),
                entry.last_write_time(error), entry.path()};
      if (!best || *best < rank) best = std::move(rank);
    }
  }
  if (best) return {best->path, false, PortraitProblem::None};
  if (sawOther) return {{}, false, PortraitProblem::NoJpegPhoto};
  return {{}, false, sawRaw ? PortraitProblem::OnlyRawPhotos : PortraitProblem::NoPhoto};
}

PortraitChoice choosePortrait(const names::NamesList& list, names::ModelRow row,
                              const fs::path& targetFolder) {
  // A chosen photo counts only while it is in one of the person's own folders: one that went to
  // someone else is never their portrait.
  const std::string_view chosenValue = list.fieldValue(row, kYearbookPhotoField);
  const std::string_view folder = chosenValue.substr(0, chosenValue.find('/'));
  if (auto chosen = chosenPhotoInTarget(targetFolder, chosenValue);
      chosen && chosenValue.find('/', folder.size() + 1) == std::string_view::npos &&
      folderBelongsToPerson(folder, list.nameForModelRow(row)))
    return {std::move(*chosen), true, PortraitProblem::None};
  return lastPhotoOfPerson(targetFolder, list.nameForModelRow(row));
}

}  // namespace vantrel::yearbook
