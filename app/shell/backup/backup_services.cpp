#include "backup_services.h"

#include "ipv4_resolver.h"

BackupServices::BackupServices(const vantrel::platform::Ipv4Endpoint& wakeDestination,
                               const std::filesystem::path& mountInfoFile)
    : locator(mountInfoFile, vantrel::platform::userRuntimeDir()),
      mounter(runner, vantrel::platform::userRuntimeDir()),
      addressLookup(runner, vantrel::platform::resolveIpv4),
      recovery(sender, wakeDestination) {
  copyPool.setMaxThreadCount(1);
  commandPool.setMaxThreadCount(2);
}
