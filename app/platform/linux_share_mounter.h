// Remounts a share on Linux: "gio mount <url>" for a share the desktop mounted through GVfs,
// "mount <mount point>" for a kernel mount listed in /etc/fstab.
#pragma once

#include <filesystem>
#include <string>

#include "command_runner.h"
#include "share_mounter.h"

namespace vantrel::platform {

class LinuxShareMounter : public ShareMounter {
 public:
  LinuxShareMounter(CommandRunner& runner, std::filesystem::path runtimeDir,
                    std::filesystem::path fstabFile = "/etc/fstab");

  bool mountShare(const std::string& shareUrl, const std::filesystem::path& backupDir) override;

 private:
  CommandRunner& runner_;
  std::filesystem::path runtimeDir_;
  std::filesystem::path fstabFile_;
};

}  // namespace vantrel::platform
