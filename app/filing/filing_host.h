// What filing needs from the application. The application answers from values its main thread
// publishes (the counter, the selection, the target folder, the tags), never by waiting for the
// main thread; tests implement it directly.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "names_types.h"

namespace vantrel::filing {

// Everything filing reads from the application in one go, so that the folder, the number and
// the row that gets the count all belong to the same person.
struct FilingSnapshot {
  std::filesystem::path targetFolder;          // empty when none is set
  std::string personName;                      // the current person's name cell; empty for nobody
  std::string suffixString;                    // the enabled suffix tags, concatenated
  std::string counterText;                     // the counter field as it reads now
  names::ModelRow captureRow = names::kNoRow;  // the row the photo is counted against
};

// A person named for one photo, instead of the one selected when it is filed: photos found
// unfiled after a crash go to the person the operator answered for.
struct PersonChoice {
  std::string personName;
  names::ModelRow captureRow = names::kNoRow;
};

class FilingHost {
 public:
  virtual ~FilingHost() = default;

  // Free bytes on the volume of the target folder; nothing when they cannot be read. A full
  // volume answers 0, which is not the same as not knowing.
  virtual std::optional<std::uint64_t> freeBytesOnTargetVolume() = 0;

  // The current person, tags, target folder, counter and row.
  virtual FilingSnapshot snapshotForFiling() = 0;

  // A capture is about to take number `next` - 1. Apply counterTextAfterFiling to the counter
  // as it reads at this moment; the field and the settings follow. Called again with a larger
  // number when another program took the name first.
  virtual void advanceCounter(std::int64_t next) = 0;
};

}  // namespace vantrel::filing
