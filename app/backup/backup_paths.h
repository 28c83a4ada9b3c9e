// Where a file of the target folder goes in the backup folder.
#pragma once

#include <cstdint>
#include <filesystem>

#include <string>
#include <string_view>

namespace vantrel::backup {

// The suffix of the temporary copy, which only a verified copy leaves for the final name.
inline constexpr std::string_view kTemporaryCopySuffix = ".vantrel_tmp";

// The backup folder mirrors the target folder: a source inside `targetDir` keeps its sub path
// below `backupDir`; any other source goes directly into `backupDir` under its file name.
// "Inside" means whole path components, so "/photos/A" does not hold "/photos/AB/x.jpg".
std::string backupDestForSource(std::string_view source, std::string_view targetDir,
                                std::string_view backupDir);

// "<destination>.vantrel_tmp".
std::string temporaryCopyPath(std::string_view destination);

// "<folder>/<stem> (<number>)<extension>": where a photo goes when a different file already
// holds its name in the backup. Number 1 is `destination` itself.
std::string numberedCopyPath(std::string_view destination, unsigned number);

// A file's size; 0 when it cannot be read, which never passes as a complete copy.
std::uintmax_t fileSizeOrZero(const std::filesystem::path& path);

// Whether the file system of `folder` ignores letter case ("Anna" and "anna" name one file, as
// on FAT and exFAT drives); false when it cannot be told.
bool folderIgnoresLetterCase(const std::filesystem::path& folder);

}  // namespace vantrel::backup
