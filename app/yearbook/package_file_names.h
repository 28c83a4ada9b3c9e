// The image file names of one package: unique ignoring letter case, made of ASCII letters,
// digits, '_' and '-' with a ".jpg" ending (what the guidelines and the publishers' importers
// accept), and stable from one export to the next.
//
// Every name a person holds from an earlier export (the Yearbook File field) is reserved for that
// person first, whether the person is in this package or not; a name two people hold belongs to
// the first one reserving it (two rows copied from one). A person keeps a held name that is
// theirs and not yet given in this package; anyone else gets a
// new name made from the list name: transliterated to ASCII, each run of other characters one
// '_', at most 24 characters, "portrait" when nothing is left, with "_2", "_3", ... added until
// it is free. So "Ann Lee" becomes "Ann_Lee.jpg", a second "Ann Lee" "Ann_Lee_2.jpg", and
// "Zoë O'Brien" "Zoe_O_Brien.jpg".
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace vantrel::yearbook {

class PackageFileNames {
 public:
  // Whether a name can be a package's image file name (a held name that is not is replaced).
  static bool isValidFileName(std::string_view name);

  // Reserves a name a person holds; ignored when it is not a valid name.
  void reserveHeldName(std::string_view heldName, long long person);

  // The name for the person: the held one when it is valid, theirs and not given yet, else a new
  // one. Each person is assigned once.
  std::string assign(std::string_view heldName, std::string_view personName, long long person);

 private:
  bool isFree(const std::string& key, long long person) const;

  // Lower-cased names already given in this package.
  std::unordered_set<std::string> given_;
  // Lower-cased held names and the first person holding each.
  std::unordered_map<std::string, long long> held_;
};

}  // namespace vantrel::yearbook
