// Finds the photos of the target folder whose backup copy is missing or differs.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vantrel::backup {

// Tells an image file name by its extension (the filing library's rule).
using ImageNameTest = std::function<bool(const std::string& fileName)>;

// Every image file below `targetDir` whose mirror below `backupDir` is missing, or of another
// size, or whose own size is 0 (such a copy can never be confirmed), as source paths sorted by
// their sub path. A backup folder inside the target folder is not walked.
std::vector<std::string> findMissingBackups(const std::filesystem::path& targetDir,
                                            const std::filesystem::path& backupDir,
                                            const ImageNameTest& isImageFileName);

}  // namespace vantrel::backup
