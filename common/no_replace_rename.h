// Moving a photo must never replace a file that is already there.
#pragma once

#include <filesystem>
#include <system_error>

namespace vantrel {

// Renames `from` to `to` atomically, failing with std::errc::file_exists when `to` exists.
// Uses renameat2(RENAME_NOREPLACE) where the file system supports it, else link() then unlink().
// Returns true on success; on failure `error` says why and `from` is untouched.
bool rename_no_replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::error_code& error);

}  // namespace vantrel
