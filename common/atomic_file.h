// Crash-safe replacement of a whole file (grid store, backup queue).
#pragma once

#include <filesystem>
#include <string_view>

namespace vantrel {

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`, so that a crash or power loss leaves either the old file or the new one, never a
// half-written one. False, with `path` untouched, when any step fails.
bool write_file_atomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vantrel
