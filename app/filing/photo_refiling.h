// Photos already filed, filed again for another person: the repair for photos shot while the
// wrong person was selected. Each takes the next number in that person's folder exactly as a new
// capture would, and nothing is ever replaced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "filed_photos.h"
#include "filing_host.h"
#include "folder_rename.h"
#include "published_filing_state.h"

namespace vantrel::filing {

struct RefilingResult {
  std::vector<PhotoRename> moved;  // in the order given
  std::int64_t alreadyThere = 0;   // already in that person's folder; left as they are
  std::int64_t missing = 0;        // no longer where they were filed; nothing done
  std::string firstError;          // a photo that failed stays where it was

  bool counterChanged = false;  // the counter moved past a number used
};

// Files `photos`, in order, into `person`'s folder (with the tags each was filed with) under the
// first free number at or above the counter in `state`, moving the counter past it: the rules of
// filing a new capture, so a photo moved from Ann to Bob reads like one shot for Bob. The target
// folder is the one `state` holds.
RefilingResult refileForPerson(const std::vector<FiledPhoto>& photos, const PersonChoice& person,
                               PublishedFilingState& state);

}  // namespace vantrel::filing
