// Whether a file in the backup holds exactly a photo's bytes: an equal size is not enough.
#pragma once

#include <filesystem>

#include "copy_outcome.h"

namespace vantrel::backup {

enum class ContentMatch { Same, Different, Unreadable };

// Compares `source` and `copy` byte for byte, a block at a time. Anything at `copy` that is not
// a regular file (a folder, a symbolic link) is Different. Unreadable, with `error` telling which
// side, when either file cannot be read.
ContentMatch compareFileContents(const std::filesystem::path& source,
                                 const std::filesystem::path& copy, CopyError& error);

}  // namespace vantrel::backup
