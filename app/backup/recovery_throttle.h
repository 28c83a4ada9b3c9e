// At most one automatic drive-recovery attempt a minute; a forced one always runs and starts a
// new minute.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "backup_timing.h"

namespace vantrel::backup {

class RecoveryThrottle {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  explicit RecoveryThrottle(Clock now = &std::chrono::steady_clock::now,
                            std::chrono::steady_clock::duration interval = kRecoveryInterval);

  // True when an attempt may run now, which is then recorded as the last one.
  bool begin(bool force);
  // The next attempt runs whatever the time.
  void forget() { last_.reset(); }

 private:
  Clock now_;
  std::chrono::steady_clock::duration interval_;
  std::optional<std::chrono::steady_clock::time_point> last_;
};

}  // namespace vantrel::backup
