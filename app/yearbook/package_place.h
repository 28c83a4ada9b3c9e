// Where a package may go, checked before any work: a good volume name, an existing target and
// output folder, and a package folder (DIR/NAME) that is free, empty, or to be replaced. The
// package may neither lie inside the target folder nor hold it, so that replacing a package can
// never remove a photo.
#pragma once

#include <filesystem>
#include <string>

#include "yearbook_result.h"

namespace vantrel::yearbook {

struct PlaceProblem {
  YearbookError error = YearbookError::None;
  std::string message;
};

PlaceProblem packagePlaceProblem(const std::filesystem::path& targetFolder,
                                 const std::filesystem::path& outputFolder,
                                 const std::string& volumeName, bool replace);

}  // namespace vantrel::yearbook
