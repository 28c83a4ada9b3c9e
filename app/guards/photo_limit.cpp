#include "photo_limit.h"

#include <algorithm>

#include "entered_text.h"
#include "plural.h"

namespace vantrel::guards {

namespace {

// A row without a name is a blank line of the list, not someone to photograph.
bool isPerson(const names::NamesList& list, names::ModelRow row) {
  return !names::trimWhitespace(list.nameForModelRow(row)).empty();
}

std::string photosOf(std::string_view name, std::int64_t count) {
  return std::string(name) + " has " + counted(count, "photo") + " — ";
}

}  // namespace

std::int64_t clampedPhotoLimit(std::int64_t limit) {
  return std::clamp<std::int64_t>(limit, 0, kMaxPhotosPerPerson);
}

bool reachedPhotoLimit(std::int64_t count, std::int64_t limit) {
  return limit > 0 && count >= limit;
}

names::ModelRow nextRemainingPerson(const names::NamesList& list, names::ModelRow current,
                                    std::int64_t limit) {
  const std::vector<names::ModelRow>& shown = list.display().displayRows();
  const auto size = static_cast<std::int64_t>(shown.size());
  if (size == 0) return names::kNoRow;
  const names::DisplayRow at = list.displayRowForModelRow(current);
  // From the row after the current one round to the current one itself, which is last.
  const std::int64_t start = at < 0 ? 0 : at + 1;
  for (std::int64_t step = 0; step < size; ++step) {
    const names::ModelRow row = shown[static_cast<std::size_t>((start + step) % size)];
    if (row == current) continue;
    if (isPerson(list, row) && !reachedPhotoLimit(list.capturedForModelRow(row), limit)) return row;
  }
  return names::kNoRow;
}

std::optional<LimitReaction> reactToCountedPhoto(const names::NamesList& list,
                                                 names::ModelRow filedRow,
                                                 names::ModelRow currentRow,
                                                 const PhotoLimitSettings& settings) {
  if (settings.photosPerPerson <= 0 || filedRow != currentRow || !list.isValidRow(filedRow) ||
      !isPerson(list, filedRow))
    return std::nullopt;
  const std::int64_t count = list.capturedForModelRow(filedRow);
  if (!reachedPhotoLimit(count, settings.photosPerPerson)) return std::nullopt;
  const std::string_view name = list.nameForModelRow(filedRow);
  if (!settings.selectNextRemaining) return LimitReaction{limitReachedStatus(name, count)};
  const names::ModelRow next = nextRemainingPerson(list, filedRow, settings.photosPerPerson);
  if (next == names::kNoRow)
    return LimitReaction{nobodyRemainingStatus(name, count, settings.photosPerPerson)};
  return LimitReaction{nextPersonSelectedStatus(name, count, list.nameForModelRow(next)), next};
}

std::string limitReachedStatus(std::string_view name, std::int64_t count) {
  return photosOf(name, count) + "select the next person";
}

std::string nextPersonSelectedStatus(std::string_view name, std::int64_t count,
                                     std::string_view nextName) {
  return photosOf(name, count) + "selected " + std::string(nextName);
}

std::string nobodyRemainingStatus(std::string_view name, std::int64_t count, std::int64_t limit) {
  return photosOf(name, count) + "nobody shown has fewer than " + std::to_string(limit);
}

}  // namespace vantrel::guards
