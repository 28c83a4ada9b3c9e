// The suffix folders the move dialog offers to carry along with a person's main folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "suffix_tags.h"

namespace vantrel::filing {

struct MoveCandidate {
  std::string suffix;
  std::string title;     // "_FR   (3 photos)" or "_FR   (no photos)"
  bool checked = false;  // the folder exists, so photos were captured with this suffix
};

// Every tag's non-empty suffix in tag order, then the suffix of every tagged folder of the
// person found on disk (so suffixes no longer among the tags are offered too), without repeats.
std::vector<MoveCandidate> moveCandidates(const SuffixTags& tags,
                                          const std::filesystem::path& targetFolder,
                                          std::string_view sourceName);

}  // namespace vantrel::filing
