// How long the backup waits for things. The application's timers use these; tests call the
// tick functions directly instead of waiting.
#pragma once

#include <chrono>

namespace vantrel::backup {

// A copy running longer than this shows the slow-network state.
inline constexpr std::chrono::seconds kSlowCopyAfter{4};
// The retry timer's period while files wait for an unreachable backup folder.
inline constexpr std::chrono::seconds kRetryInterval{20};
// A queue left from the last run resumes this long after start.
inline constexpr std::chrono::seconds kStartupResumeDelay{2};
// Automatic drive-recovery attempts are at least this far apart.
inline constexpr std::chrono::seconds kRecoveryInterval{60};
// After a wake packet, the drive gets this long before the share is looked at.
inline constexpr std::chrono::seconds kWakeSettleDelay{3};

}  // namespace vantrel::backup
