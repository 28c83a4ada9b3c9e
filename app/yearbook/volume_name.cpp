#include "volume_name.h"

#include <array>

namespace vantrel::yearbook {

namespace {

constexpr std::size_t kLongest = 32;

bool isVolumeCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

bool isDeviceName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view device : kDevices)
    if (upper == device) return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::optional<std::string> volumeNameProblem(std::string_view name) {
  if (name.empty()) return "The volume name is empty.";
  if (name.size() > kLongest)
    return "The volume name has " + std::to_string(name.size()) + " characters; at most " +
           std::to_string(kLongest) + " are allowed.";
  for (char c : name)
    if (!isVolumeCharacter(c))
      return "The volume name may hold only the letters A-Z and a-z, digits, '_' and '-'.";
  if (name.front() == '-') return "The volume name may not start with '-'.";
  if (isDeviceName(name)) return "\"" + std::string(name) + "\" is a device name on Windows.";
  return std::nullopt;
}

}  // namespace vantrel::yearbook
