// Mounting a network share again without any dialog. Tests replace it with a fake.
#pragma once

#include <filesystem>
#include <string>

namespace vantrel::platform {

class ShareMounter {
 public:
  virtual ~ShareMounter() = default;
  // Mounts the share at `shareUrl` (percent-encoded, "smb://server/share") that held
  // `backupDir`. True when the mount reported success; failures are silent.
  virtual bool mountShare(const std::string& shareUrl, const std::filesystem::path& backupDir) = 0;
};

}  // namespace vantrel::platform
