// The two values the yearbook package keeps per person, as fields of the names list, so that the
// window and the command line see the same choice and the same file name.
#pragma once

#include <string_view>

namespace vantrel::yearbook {

// The portrait chosen with "Use for Yearbook": its path relative to the target folder, with '/'
// between the parts, e.g. "Ann Lee_FR/Ann Lee_FR_0003.JPG". Empty: the person's last photo.
inline constexpr std::string_view kYearbookPhotoField = "Yearbook Photo";

// The file name the person's portrait got in the last package, e.g. "Ann_Lee.jpg". The next
// export reuses it, so a publisher's links to the images never break.
inline constexpr std::string_view kYearbookFileField = "Yearbook File";

}  // namespace vantrel::yearbook
