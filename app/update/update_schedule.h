// The background update check runs at most once a day.
#pragma once

#include <cstdint>
#include <optional>

namespace vantrel::update {

inline constexpr std::int64_t kBackgroundCheckIntervalSeconds = 24 * 60 * 60;

// Times are seconds since the epoch. Due when no check was recorded, or the last one started a
// full day ago or more. A recorded time in the future (the clock was set back) does not hold
// the check off.
bool isBackgroundCheckDue(std::optional<std::int64_t> lastCheckSeconds, std::int64_t nowSeconds);

}  // namespace vantrel::update
