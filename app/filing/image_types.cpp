#include "image_types.h"

#include <algorithm>
#include <array>
#include <string>

#include "capture_naming.h"

namespace vantrel::filing {

namespace {

// The previewable types come first, so the preview test is a prefix of the list.
constexpr std::array<std::string_view, 14> kImageExtensions = {"jpg",  "jpeg", "png", "tif", "tiff",
                                                               "heic", "heif", "cr2", "cr3", "crw",
                                                               "raw",  "dng",  "nef", "arw"};
constexpr std::size_t kPreviewableCount = 6;

bool extensionIn(std::string_view nameOrPath, std::size_t count) {
  const std::string_view extension = fileExtension(nameOrPath);
  if (extension.empty() || extension.size() > 4) return false;
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return std::find(kImageExtensions.begin(), kImageExtensions.begin() + count, lower) !=
         kImageExtensions.begin() + count;
}

}  // namespace

bool isImageFileName(std::string_view nameOrPath) {
  return extensionIn(nameOrPath, kImageExtensions.size());
}

bool isPreviewableImagePath(std::string_view path) {
  return extensionIn(path, kPreviewableCount);
}

}  // namespace vantrel::filing
