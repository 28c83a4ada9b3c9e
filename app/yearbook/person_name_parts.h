// A list name cut into last and first name, for rosters without name columns of their own.
//
//   "Lee, Ann"          last "Lee", first "Ann"          (a comma: the last name comes first)
//   "Ann Lee"           last "Lee", first "Ann"          (else the last word is the last name)
//   "Ann Marie van Dam" last "Dam", first "Ann Marie van"
//   "Cher"              last "Cher", first ""
//
// Particles ("van", "de") are not recognised: a roster that needs them gives name columns.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::yearbook {

struct PersonNameParts {
  std::string last;
  std::string first;
  bool operator==(const PersonNameParts&) const = default;
};

PersonNameParts personNameParts(std::string_view listName);

}  // namespace vantrel::yearbook
