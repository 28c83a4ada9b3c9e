#include "recovery_throttle.h"

namespace vantrel::backup {

RecoveryThrottle::RecoveryThrottle(Clock now, std::chrono::steady_clock::duration interval)
    : now_(std::move(now)), interval_(interval) {}

bool RecoveryThrottle::begin(bool force) {
  const auto now = now_();
  if (!force && last_ && now - *last_ < interval_) return false;
  last_ = now;
  return true;
}

}  // namespace vantrel::backup
