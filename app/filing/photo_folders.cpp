#include "photo_folders.h"

#include <algorithm>
#include <limits>
#include <string>

#include "capture_naming.h"
#include "folder_listing.h"
#include "image_types.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

std::optional<std::int64_t> numberAfterPrefix(std::string_view name, std::string_view prefix) {
  // The name without its extension; a leading dot starts no extension.
  if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos && dot != 0)
    name = name.substr(0, dot);
  if (name.size() <= prefix.size() + 1 || !name.starts_with(prefix) || name[prefix.size()] != '_')
    return std::nullopt;
  const std::string_view digits = name.substr(prefix.size() + 1);
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    const int digit = c - '0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return value;
}

std::vector<fs::path> foldersForRowName(const fs::path& targetFolder,
                                        std::string_view sanitizedName) {
  std::vector<fs::path> folders;
  if (sanitizedName.empty()) return folders;
  const auto entries = listFolder(targetFolder);
  if (!entries) return folders;
  const std::string taggedPrefix = std::string(sanitizedName) + "_";
  for (const auto& entry : *entries) {
    const std::string name = entry.path().filename().native();
    const bool exact = name == sanitizedName;
    if (!exact && !name.starts_with(taggedPrefix)) continue;
    if (!isDirectory(entry)) continue;
    if (exact)
      folders.insert(folders.begin(), entry.path());
    else
      folders.push_back(entry.path());
  }
  return folders;
}

std::int64_t imageCountInFolder(const fs::path& folder) {
  const auto entries = listFolder(folder);
  if (!entries) return 0;
  return std::count_if(entries->begin(), entries->end(), [](const fs::directory_entry& entry) {
    return isImageFileName(entry.path().filename().native());
  });
}

std::int64_t maxNumberedIndexInFolder(const fs::path& folder, std::string_view prefix) {
  const auto entries = listFolder(folder);
  if (!entries) return 0;
  std::int64_t highest = 0;
  for (const auto& entry : *entries)
    if (auto number = numberAfterPrefix(entry.path().filename().native(), prefix))
      highest = std::max(highest, *number);
  return highest;
}

}  // namespace vantrel::filing
