// Whether bytes are well-formed UTF-8, as the queue file needs to choose how to hold a path.
#pragma once

#include <string_view>

namespace vantrel::backup {

// True for well-formed UTF-8 (Unicode's table of well-formed byte sequences): no overlong forms,
// no surrogates, nothing beyond U+10FFFF, no cut-off sequence. The empty text is UTF-8.
bool isValidUtf8(std::string_view bytes);

}  // namespace vantrel::backup
