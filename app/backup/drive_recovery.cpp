#include "drive_recovery.h"

#include "wake_on_lan.h"

namespace vantrel::backup {

DriveRecovery::DriveRecovery(platform::DatagramSender& sender,
                             platform::Ipv4Endpoint wakeDestination, RecoveryThrottle throttle)
    : sender_(sender),
      wakeDestination_(std::move(wakeDestination)),
      throttle_(std::move(throttle)) {}

RecoveryAttempt DriveRecovery::attempt(bool force, const RecoverySettings& settings) {
  RecoveryAttempt attempt;
  if (!settings.backupEnabled || settings.backupDir.empty()) return attempt;
  if (!throttle_.begin(force)) return attempt;
  attempt.ran = true;
  if (!settings.hardwareAddress.empty())
    attempt.wakeSent = sendWakeOnLANToMAC(settings.hardwareAddress, sender_, wakeDestination_);
  // A local backup folder has no share to mount; a later retry finds it when it is back.
  if (!settings.shareUrl.empty())
    attempt.remount = RemountJob{settings.backupDir, settings.shareUrl, attempt.wakeSent};
  return attempt;
}

RecoveryAttempt DriveRecovery::wakeAndReconnect(const RecoverySettings& settings) {
  throttle_.forget();
  return attempt(true, settings);
}

}  // namespace vantrel::backup
