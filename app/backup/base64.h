// Base64 (RFC 4648, standard alphabet, padded): how a property list's <data> holds bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::backup {

std::string encodeBase64(std::string_view bytes);

// The bytes `text` encodes. White space anywhere is skipped, as property list writers wrap long
// data; nothing when any other character is out of place or the padding is wrong.
std::optional<std::string> decodeBase64(std::string_view text);

}  // namespace vantrel::backup
