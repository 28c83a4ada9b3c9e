// The share URL as it is handed to the mount command.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::backup {

// Percent-encodes every byte except letters, digits and "-._~:/@" (so "My Photos" becomes
// "My%20Photos", while the "//", "@" and ":" of the URL stay).
std::string percentEncodeShareUrl(std::string_view url);

// Whether the encoded text is a URL a mount can use: a scheme, "://" and something after it.
bool isMountableShareUrl(std::string_view encodedUrl);

}  // namespace vantrel::backup
