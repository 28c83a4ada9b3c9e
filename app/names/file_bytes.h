// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::names {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`, so that a crash or power loss leaves either the old file or the new one, never a
// half-written one. False, with `path` untouched, when any step fails.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vantrel::names
