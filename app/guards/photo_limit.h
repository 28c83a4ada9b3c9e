// Photos per person: a limit the operator sets for the shoot (0 means none). Once the current
// person has that many photos the operator is told to move on, or the selection moves on by
// itself to the next person still below the limit, in the order the table shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "names_list.h"
#include "names_types.h"

namespace vantrel::guards {

// The spin box's range; 0 is "no limit".
inline constexpr std::int64_t kMaxPhotosPerPerson = 99;

struct PhotoLimitSettings {
  std::int64_t photosPerPerson = 0;  // 0: no limit
  bool selectNextRemaining = false;  // move the selection on after the last photo
};

// The limit as stored or typed, kept inside 0 ... kMaxPhotosPerPerson.
std::int64_t clampedPhotoLimit(std::int64_t limit);

// Whether a person with `count` photos has reached `limit` (never without a limit).
bool reachedPhotoLimit(std::int64_t count, std::int64_t limit);

// The next person after `current` in the table's display order, wrapping round once, who has a
// name and is still below `limit`; kNoRow when nobody shown is. A current person the table does
// not show (filtered out) starts the search at the top.
names::ModelRow nextRemainingPerson(const names::NamesList& list, names::ModelRow current,
                                    std::int64_t limit);

// What the window does after a photo was counted.
struct LimitReaction {
  std::string status;                      // shown orange until the person changes
  names::ModelRow select = names::kNoRow;  // the person to select, with the option on
};

// A photo was counted against `filedRow` while `currentRow` is the current person. Nothing
// happens without a limit, below it, or when the operator has already moved on to someone else
// (the photo was filed for a person no longer selected).
std::optional<LimitReaction> reactToCountedPhoto(const names::NamesList& list,
                                                 names::ModelRow filedRow,
                                                 names::ModelRow currentRow,
                                                 const PhotoLimitSettings& settings);

// "Ann Lee has 3 photos — select the next person"
std::string limitReachedStatus(std::string_view name, std::int64_t count);
// "Ann Lee has 3 photos — selected Bob Stone"
std::string nextPersonSelectedStatus(std::string_view name, std::int64_t count,
                                     std::string_view nextName);
// "Ann Lee has 3 photos — nobody shown has fewer than 3"
std::string nobodyRemainingStatus(std::string_view name, std::int64_t count, std::int64_t limit);

}  // namespace vantrel::guards
