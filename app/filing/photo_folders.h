// A person's photo folders and what they hold, looked up directly on disk. These answer for one
// name at a time; the recount of a whole list uses PhotoFolderIndex instead.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace vantrel::filing {

// The folders directly inside the target folder that belong to the sanitised name: the one
// named exactly like it first, then every "<name>_..." folder in listing order. Case-sensitive.
// Empty when the target folder is unset (empty path) or unlistable, or the name is empty.
std::vector<std::filesystem::path> foldersForRowName(const std::filesystem::path& targetFolder,
                                                     std::string_view sanitizedName);

// Entries directly in the folder whose names are images, hidden ones included; 0 when the
// folder cannot be listed.
std::int64_t imageCountInFolder(const std::filesystem::path& folder);

// The number a file name like "Bob_0007.JPG" carries for the prefix "Bob": all decimal digits
// between "<prefix>_" and the extension. Nothing for any other name.
std::optional<std::int64_t> numberAfterPrefix(std::string_view name, std::string_view prefix);

// The largest N among entries named "<prefix>_N" plus any extension, N all decimal digits;
// 0 when there is none or the folder cannot be listed.
std::int64_t maxNumberedIndexInFolder(const std::filesystem::path& folder, std::string_view prefix);

}  // namespace vantrel::filing
