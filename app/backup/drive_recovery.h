// Bringing an unreachable network backup drive back: a wake-on-LAN packet to its host, then a
// remount of its share without any dialog. Automatic attempts follow failed copies and are
// throttled; the "Wake & Reconnect Drive" command forces one.
#pragma once

#include <optional>
#include <string>

#include "backup_texts.h"
#include "datagram_sender.h"
#include "recovery_throttle.h"

namespace vantrel::backup {

// The stored settings an attempt works from.
struct RecoverySettings {
  bool backupEnabled = false;
  std::string backupDir;
  std::string hardwareAddress;  // "VantrelBackupMAC", empty when none is stored
  std::string shareUrl;         // "VantrelBackupShareURL", empty for a local backup folder
};

// The background half of an attempt (see remount_job.h).
struct RemountJob {
  std::string backupDir;
  std::string shareUrl;
  bool wakeSent = false;
};

struct RecoveryAttempt {
  bool ran = false;       // false: backup is off, or an automatic attempt came too soon
  bool wakeSent = false;  // show `wakeStatus()`
  std::optional<RemountJob> remount;

  static StatusText wakeStatus() { return {std::string(texts::kWakeSignalSent), StatusKind::Busy}; }
};

class DriveRecovery {
 public:
  DriveRecovery(platform::DatagramSender& sender, platform::Ipv4Endpoint wakeDestination,
                RecoveryThrottle throttle = RecoveryThrottle());

  // After a failed copy with `force` false; at most one attempt per minute then.
  RecoveryAttempt attempt(bool force, const RecoverySettings& settings);
  // The menu command: runs at once and starts a new minute.
  RecoveryAttempt wakeAndReconnect(const RecoverySettings& settings);

 private:
  platform::DatagramSender& sender_;
  platform::Ipv4Endpoint wakeDestination_;
  RecoveryThrottle throttle_;
};

}  // namespace vantrel::backup
