// Counts in messages add nothing for exactly one and "s" otherwise ("3 photos", "1 photo").
#pragma once

#include <string>

namespace vantrel {

// The suffix for a "%ld photo%@" style message.
inline const char* plural_s(long long count) {
  return count == 1 ? "" : "s";
}

// "1 photo", "0 photos", "12 photos".
std::string counted(long long count, const std::string& noun);

}  // namespace vantrel
