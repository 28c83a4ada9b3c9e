// One level of a folder, read in full or not at all.
#pragma once

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace vantrel::filing {

// The folder's entries in the order the file system lists them, hidden ones included;
// nothing when the folder cannot be listed, and then `error` says why.
std::optional<std::vector<std::filesystem::directory_entry>> listFolder(
    const std::filesystem::path& folder, std::error_code& error);
std::optional<std::vector<std::filesystem::directory_entry>> listFolder(
    const std::filesystem::path& folder);

// True for a directory or a link to one.
bool isDirectory(const std::filesystem::path& path);
bool isDirectory(const std::filesystem::directory_entry& entry);

}  // namespace vantrel::filing
