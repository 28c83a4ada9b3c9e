// The two plain-text files beside the index: README.TXT, which says what the package holds, and
// COPYRIGHT.TXT with the studio's notice. Both end their lines in CR LF, like the index.
#pragma once

#include <string>
#include <string_view>

#include "portrait_size.h"

namespace vantrel::yearbook {

inline constexpr std::string_view kReadmeFileName = "README.TXT";
inline constexpr std::string_view kCopyrightFileName = "COPYRIGHT.TXT";
// The one image folder, beside the index.
inline constexpr std::string_view kImageFolderName = "IMAGES";

struct PackageSummary {
  std::string volumeName;
  PortraitSize size = PortraitSize::Large;
  long long people = 0;
  std::string date;  // YYYY-MM-DD
};

std::string readmeText(const PackageSummary& summary);

// The notice as given (line breaks kept, as CR LF), or a plain "All rights reserved" notice when
// it is empty.
std::string copyrightText(std::string_view notice);

}  // namespace vantrel::yearbook
