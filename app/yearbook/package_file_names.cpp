#include "package_file_names.h"

#include "ascii_name.h"

namespace vantrel::yearbook {

namespace {

constexpr std::string_view kExtension = ".jpg";
constexpr std::size_t kStemLimit = 24;
constexpr std::size_t kNameLimit = 64;

bool isNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

std::string lowered(std::string_view name) {
  std::string key(name);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

std::string stemFromName(std::string_view personName) {
  std::string stem;
  bool gap = false;
  for (char c : asciiTransliterated(personName)) {
    if (!isNameCharacter(c) || c == '_') {
      gap = !stem.empty();
      continue;
    }
    if (gap) stem += '_';
    gap = false;
    stem += c;
  }
  if (stem.size() > kStemLimit) stem.resize(kStemLimit);
  while (!stem.empty() && (stem.back() == '_' || stem.back() == '-')) stem.pop_back();
  return stem.empty() ? "portrait" : stem;
}

}  // namespace

bool PackageFileNames::isValidFileName(std::string_view name) {
  if (name.size() <= kExtension.size() || name.size() > kNameLimit) return false;
  if (lowered(name.substr(name.size() - kExtension.size())) != kExtension) return false;
  const std::string_view stem = name.substr(0, name.size() - kExtension.size());
  if (stem.front() == '-') return false;
  for (char c : stem)
    if (!isNameCharacter(c)) return false;
  return true;
}

void PackageFileNames::reserveHeldName(std::string_view heldName, long long person) {
  if (isValidFileName(heldName)) held_.emplace(lowered(heldName), person);
}

bool PackageFileNames::isFree(const std::string& key, long long person) const {
  if (given_.contains(key)) return false;
  const auto holder = held_.find(key);
  return holder == held_.end() || holder->second == person;
}

std::string PackageFileNames::assign(std::string_view heldName, std::string_view personName,
                                     long long person) {
  if (isValidFileName(heldName)) {
    std::string key = lowered(heldName);
    if (isFree(key, person)) {
      given_.insert(std::move(key));
      return std::string(heldName);
    }
  }
  const std::string stem = stemFromName(personName);
  std::string name = stem + std::string(kExtension);
  for (int number = 2; !isFree(lowered(name), person); ++number)
    name = stem + "_" + std::to_string(number) + std::string(kExtension);
  given_.insert(lowered(name));
  return name;
}

}  // namespace vantrel::yearbook
