// Finds the photos of the target folder whose backup copy is missing or differs.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vantrel::backup {

// Tells an image file name by its extension (the filing library's rule).
using ImageNameTest = std::function<bool(const std::string& fileName)>;

// Whether the backup is known to hold a photo's exact bytes (the record of verified copies).
using VouchedTest = std::function<bool(const std::filesystem::path& source)>;

// Every image file below `targetDir` the backup is not known to hold, as source paths sorted by
// their sub path. With `isVouched`, every photo it does not vouch for: a file of the same size at
// the mirror path may be another photo, and only the copy job, comparing the bytes, can tell
// (the walk never reads a file). Without it, the photos whose mirror below `backupDir` is missing
// or of another size, or that are empty (such a copy can never be confirmed). A backup folder
// inside the target folder is not walked.
std::vector<std::string> findMissingBackups(const std::filesystem::path& targetDir,
                                            const std::filesystem::path& backupDir,
                                            const ImageNameTest& isImageFileName,
                                            const VouchedTest& isVouched = {});

}  // namespace vantrel::backup
