// The operating-system pieces the backup uses, created once and shared by its jobs: running
// outside commands, the mount table, remounting, the hardware-address lookup and the wake
// packet's sender.
#pragma once

#include <QThreadPool>
#include <memory>

#include "drive_recovery.h"
#include "hardware_address_lookup.h"
#include "linux_mount_locator.h"
#include "linux_share_mounter.h"
#include "process_command_runner.h"
#include "udp_datagram_sender.h"

struct BackupServices {
  BackupServices(const vantrel::platform::Ipv4Endpoint& wakeDestination,
                 const std::filesystem::path& mountInfoFile);

  vantrel::platform::ProcessCommandRunner runner;
  vantrel::platform::LinuxMountLocator locator;
  vantrel::platform::LinuxShareMounter mounter;
  vantrel::platform::HardwareAddressLookup addressLookup;
  vantrel::platform::UdpDatagramSender sender;
  vantrel::backup::DriveRecovery recovery;
  // Copies run on one pool, outside commands on another: a hanging command never holds up a
  // copy, and neither ever blocks the window.
  QThreadPool copyPool;
  QThreadPool commandPool;
};
