#include "download_path.h"

#include <filesystem>

namespace vantrel::filing {

std::string standardDownloadPath(const std::string& path) {
  constexpr const char* kSpace = " \t\n\v\f\r";
  const auto first = path.find_first_not_of(kSpace);
  if (first == std::string::npos) return {};
  const auto last = path.find_last_not_of(kSpace);
  std::string standard =
      std::filesystem::path(path.substr(first, last - first + 1)).lexically_normal().string();
  while (standard.size() > 1 && standard.back() == '/') standard.pop_back();
  return standard;
}

}  // namespace vantrel::filing
