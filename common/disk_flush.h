// Flushes to the disk for the steps whose order a power cut must not undo: a file's bytes before
// its rename, a folder after a rename into it.
#pragma once

#include <filesystem>
#include <system_error>

namespace vantrel {

// fsync of the file at `file`; the error when it could not be opened or flushed.
std::error_code flush_file(const std::filesystem::path& file);

// fsync of a folder, so that the names made in it last. A folder that cannot be opened, or a file
// system that cannot flush a folder (some shares, a read-only mount), counts as flushed: the
// files' own flushes are the most there is.
std::error_code flush_folder(const std::filesystem::path& folder);

}  // namespace vantrel
