// Builds a yearbook package in the format of the PSPA Digital Data & Image Format Guidelines:
//
//   DIR/NAME/INDEX.TXT       header row and one row per exported person, in list order
//   DIR/NAME/IMAGES/*.jpg    one portrait per person (portrait_writer.h), named stably
//   DIR/NAME/COPYRIGHT.TXT   the studio's notice
//   DIR/NAME/README.TXT      what the package holds
//
// Everyone in the list with a name is a candidate; a person's portrait is chosen by
// choosePortrait. People without one are reported in `missing`; with requireAll nothing is then
// written. The package is built in a staging folder and moved into place whole (PackageStaging),
// so a failure or a cancel leaves the output folder as it was.
//
// Runs on any thread; it reads the list and never changes it: the caller stores
// `assignedFileNames` in the Yearbook File field afterwards, so that the next export reuses them.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>

#include "names_list.h"
#include "yearbook_options.h"
#include "yearbook_result.h"

namespace vantrel::yearbook {

// Called after each person with a photo: how many are done, of how many.
using YearbookProgress = std::function<void(int done, int total)>;

YearbookResult exportYearbook(const names::NamesList& list,
                              const std::filesystem::path& targetFolder,
                              const std::filesystem::path& outputFolder,
                              const YearbookOptions& options, const YearbookProgress& progress = {},
                              const std::atomic<bool>* cancel = nullptr);

}  // namespace vantrel::yearbook
