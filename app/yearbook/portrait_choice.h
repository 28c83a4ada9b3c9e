// Which photo stands for a person in the yearbook: the one chosen with "Use for Yearbook" (the
// Yearbook Photo field), else the person's last photo.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "names_list.h"

namespace vantrel::yearbook {

enum class PortraitProblem {
  None,
  NoPhoto,        // no photo in the person's folders
  OnlyRawPhotos,  // raw files only: they cannot be decoded into a portrait
  NoJpegPhoto,    // photos, but none of them a JPEG
};

struct PortraitChoice {
  std::filesystem::path source;  // empty unless problem is None
  bool chosen = false;           // from the Yearbook Photo field
  PortraitProblem problem = PortraitProblem::None;
};

// The file a Yearbook Photo value names, when it is a file inside the target folder. The value is
// relative, with '/' between its parts; an absolute path, an empty part, "." or "..", or a link
// that leads out of the target folder names nothing.
std::optional<std::filesystem::path> chosenPhotoInTarget(const std::filesystem::path& targetFolder,
                                                         std::string_view relativePath);

// The person's last photo: among the JPEGs (.jpg, .jpeg) directly in the person's folders
// (foldersForRowName on the sanitised name, exact and tagged), the one with the highest capture
// number ("<folder>_<N>.JPG"); JPEGs named otherwise count below every numbered one; equal
// numbers go by the later modification time, then the greater path. Hidden files are passed over.
PortraitChoice lastPhotoOfPerson(const std::filesystem::path& targetFolder,
                                 std::string_view personName);

// The Yearbook Photo when it names a file inside the target folder, else lastPhotoOfPerson.
PortraitChoice choosePortrait(const names::NamesList& list, names::ModelRow row,
                              const std::filesystem::path& targetFolder);

}  // namespace vantrel::yearbook
