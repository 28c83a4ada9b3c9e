// Flushes to the disk for the steps whose order a power cut must not undo: a file's bytes before
// its rename, a folder after a rename into it.
#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

namespace vantrel {

// fsync of the file at `file`; the error when it could not be opened or flushed.
std::error_code flush_file(const std::filesystem::path& file);

// fsync of a folder, so that the names made in it last. A folder that cannot be opened, or a file
// system that cannot flush a folder (some shares, a read-only mount), counts as flushed: the
// files' own flushes are the most there is.
std::error_code flush_folder(const std::filesystem::path& folder);

// Flushes every one of `paths` at once, each on a thread of its own, and returns their errors in
// the same order. Flushes under way together share the file system's journal commit and the
// drive's cache flush, where one after the other each pays for its own.
std::vector<std::error_code> flush_files_together(const std::vector<std::filesystem::path>& paths);
std::vector<std::error_code> flush_folders_together(
    const std::vector<std::filesystem::path>& paths);

}  // namespace vantrel
