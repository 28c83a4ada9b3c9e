// Whole-file reads (crash-safe writes are vantrel::write_file_atomically in atomic_file.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vantrel::names {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

}  // namespace vantrel::names
