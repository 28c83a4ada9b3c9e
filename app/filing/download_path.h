// The announced path of a downloaded photo, in the one spelling that tells two announcements of
// the same file apart. Paths are file-name bytes: nothing here asks them to be UTF-8.
#pragma once

#include <string>

namespace vantrel::filing {

// `path` without surrounding white space, with repeated separators, "." and ".." folded and no
// trailing separator; empty when nothing is left.
std::string standardDownloadPath(const std::string& path);

}  // namespace vantrel::filing
