// The fallback when a capture cannot be moved (another volume, say): a copy that, like the move,
// never replaces a file.
#pragma once

#include <filesystem>
#include <system_error>

namespace vantrel::filing {

// Copies `from` to a new file `to`, created exclusively, and flushes it to the disk. Fails with
// std::errc::file_exists when `to` exists. On any failure nothing is left at `to`.
bool copyFileExclusively(const std::filesystem::path& from, const std::filesystem::path& to,
                         std::error_code& error);

}  // namespace vantrel::filing
