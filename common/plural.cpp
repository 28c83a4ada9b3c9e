#include "plural.h"

namespace vantrel {

std::string counted(long long count, const std::string& noun) {
  return std::to_string(count) + " " + noun + plural_s(count);
}

}  // namespace vantrel
