#include "update_schedule.h"

namespace vantrel::update {

bool isBackgroundCheckDue(std::optional<std::int64_t> lastCheckSeconds, std::int64_t nowSeconds) {
  if (!lastCheckSeconds) return true;
  const std::int64_t elapsed = nowSeconds - *lastCheckSeconds;
  return elapsed < 0 || elapsed >= kBackgroundCheckIntervalSeconds;
}

}  // namespace vantrel::update
