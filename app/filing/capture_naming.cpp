#include "capture_naming.h"

#include <cinttypes>
#include <cstdio>

namespace vantrel::filing {

namespace {

constexpr std::string_view kReplacedCharacters = "\"*/:<>?\\|";

bool isAsciiSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string sanitize_filename(std::string_view name) {
  std::string result;
  result.reserve(name.size());
  for (char c : name) {
    const bool control = static_cast<unsigned char>(c) < 32;
    result.push_back(control || kReplacedCharacters.find(c) != std::string_view::npos ? '-' : c);
  }
  std::size_t begin = 0;
  std::size_t end = result.size();
  while (begin < end && isAsciiSpace(result[begin])) ++begin;
  while (end > begin && isAsciiSpace(result[end - 1])) --end;
  result = result.substr(begin, end - begin);
  if (result.empty() || result == "." || result == "..") return std::string(kUntitledName);
  return result;
}

std::string personFolderName(std::string_view personName, std::string_view suffixString) {
  return sanitize_filename(personName) + std::string(suffixString);
}

std::string_view fileExtension(std::string_view nameOrPath) {
  const std::size_t slash = nameOrPath.rfind('/');
  const std::string_view name =
      slash == std::string_view::npos ? nameOrPath : nameOrPath.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  return name.substr(dot + 1);
}

std::string captureExtension(const std::filesystem::path& downloadedFile) {
  const std::string_view extension = fileExtension(downloadedFile.native());
  return extension.empty() ? std::string("JPG") : std::string(extension);
}

std::string captureFileName(std::string_view folderName, std::int64_t number,
                            std::string_view extension) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%04" PRId64, number);
  std::string name(folderName);
  name += '_';
  name += digits;
  name += '.';
  name += extension;
  return name;
}

}  // namespace vantrel::filing
