#include "move_candidates.h"

#include <algorithm>
#include <optional>

#include "capture_naming.h"
#include "filing_messages.h"
#include "folder_listing.h"
#include "photo_folders.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

std::vector<MoveCandidate> moveCandidates(const SuffixTags& tags, const fs::path& targetFolder,
                                          std::string_view sourceName) {
  const std::string person = sanitize_filename(sourceName);
  std::vector<std::string> suffixes;
  auto offer = [&suffixes](std::string suffix) {
    if (!suffix.empty() && std::find(suffixes.begin(), suffixes.end(), suffix) == suffixes.end())
      suffixes.push_back(std::move(suffix));
  };
  for (const SuffixTag& tag : tags.tags()) offer(tag.suffix);
  for (const fs::path& folder : foldersForRowName(targetFolder, person))
    offer(folder.filename().native().substr(person.size()));

  std::vector<MoveCandidate> candidates;
  for (std::string& suffix : suffixes) {
    const fs::path folder = targetFolder / (person + suffix);
    std::optional<std::int64_t> photos;
    if (!targetFolder.empty() && isDirectory(folder)) photos = imageCountInFolder(folder);
    candidates.push_back({suffix, moveCandidateTitle(suffix, photos), photos.has_value()});
  }
  return candidates;
}

}  // namespace vantrel::filing
