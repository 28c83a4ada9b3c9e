// UTF-8 to UTF-16 and back, for the names and strings PTP carries as UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace ptpipcam {

// A byte that is not part of valid UTF-8 becomes U+FFFD; characters beyond the BMP become
// surrogate pairs.
std::u16string utf8_to_utf16(std::string_view utf8);

// A lone surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::u16string_view utf16);

}  // namespace ptpipcam
