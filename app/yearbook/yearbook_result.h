// What an export reports: how many portraits it wrote, who has none, the file names to keep in the
// Yearbook File field, and the reason it wrote nothing, if it did.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "names_types.h"

namespace vantrel::yearbook {

enum class MissingReason {
  NoPhoto,        // no photo in the person's folders
  OnlyRawPhotos,  // raw files only, which cannot be made into a portrait
  NoJpegPhoto,    // photos, but none of them a JPEG
  Unreadable,     // the photo could not be decoded
};

struct MissingPortrait {
  names::ModelRow row = names::kNoRow;
  std::string name;
  MissingReason reason = MissingReason::NoPhoto;
  std::string detail;  // the decoder's words, for Unreadable
};

enum class YearbookError {
  None,
  BadVolumeName,     // volumeNameProblem
  NoTargetFolder,    // the target folder is not a folder
  NoOutputFolder,    // the output folder is not a folder
  PackageInTarget,   // DIR/NAME lies in the target folder, or holds it
  PackageExists,     // DIR/NAME is not a folder, or is not empty and replace is off
  NoPeople,          // the list has no one with a name
  MissingPortraits,  // requireAll, and someone has no portrait
  NoPortraits,       // no one has a portrait
  WriteFailed,       // a file or folder could not be written, or moved into place
  Cancelled,
};

struct YearbookResult {
  int exported = 0;
  std::vector<MissingPortrait> missing;  // in list order
  // Rows whose Yearbook File field must now hold the name, in list order.
  std::vector<std::pair<names::ModelRow, std::string>> assignedFileNames;
  YearbookError error = YearbookError::None;
  std::string message;  // why, when error is not None

  bool ok() const { return error == YearbookError::None; }
};

// "no photo", "only raw photos (they cannot be decoded)", ...
std::string missingReasonText(const MissingPortrait& missing);

// The missing people as CSV for the operator: "Name,Reason", then a row each, lines ending in
// CR LF, values quoted where needed.
std::string missingPortraitsCsv(const std::vector<MissingPortrait>& missing);

}  // namespace vantrel::yearbook
