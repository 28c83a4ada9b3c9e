// What filing needs from the application. The values belong to the main thread (the counter
// field, the selection, the target folder, the tags), so the application implements each call
// as a synchronous hop there; tests implement it directly.
#pragma once

#include <cstdint>
#include <filesystem>
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

class FilingHost {
 public:
  virtual ~FilingHost() = default;

  // Free bytes on the volume of the target folder; 0 when they cannot be read.
  virtual std::uint64_t freeBytesOnTargetVolume() = 0;

  // The current person, tags, target folder, counter and row.
  virtual FilingSnapshot snapshotForFiling() = 0;

  // A capture is about to take number `next` - 1. Apply counterTextAfterFiling to the counter
  // field as it reads at this moment, then save the settings; all in one hop. Called again
  // with a larger number when another program took the name first.
  virtual void advanceCounter(std::int64_t next) = 0;
};

}  // namespace vantrel::filing
