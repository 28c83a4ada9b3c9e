// Shares that the desktop mounted through GVfs appear as folders named like
// "smb-share:server=nas,share=photos" under $XDG_RUNTIME_DIR/gvfs.
#pragma once

#include <filesystem>
#include <optional>

#include "mount_locator.h"

namespace vantrel::platform {

// The share holding `path` when it lies in an SMB share folder directly under `gvfsRoot`: the
// source reads "//server/share" ("//user@server/share" with a user), the type "smb". Looks at
// the path only.
std::optional<MountSource> gvfsShareOf(const std::filesystem::path& path,
                                       const std::filesystem::path& gvfsRoot);

}  // namespace vantrel::platform
