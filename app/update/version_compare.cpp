#include "version_compare.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vantrel::update {

namespace {

struct ParsedVersion {
  std::vector<std::uint64_t> components;
  bool preRelease = false;
};

// A release record comes from the network: absurdly long digit runs saturate instead of
// overflowing.
std::uint64_t leadingNumber(std::string_view component) {
  constexpr std::uint64_t kCap = 1'000'000'000'000ULL;
  std::uint64_t value = 0;
  for (const char c : component) {
    if (c < '0' || c > '9') break;
    value = std::min(kCap, value * 10 + static_cast<std::uint64_t>(c - '0'));
  }
  return value;
}

ParsedVersion parse(std::string_view text) {
  if (text.starts_with('v')) text.remove_prefix(1);
  ParsedVersion parsed;
  const std::size_t dash = text.find('-');
  parsed.preRelease = dash != std::string_view::npos;
  std::string_view core = text.substr(0, dash);
  while (true) {
    const std::size_t dot = core.find('.');
    parsed.components.push_back(leadingNumber(core.substr(0, dot)));
    if (dot == std::string_view::npos) break;
    core.remove_prefix(dot + 1);
  }
  return parsed;
}

}  // namespace

int compareVersions(std::string_view a, std::string_view b) {
  const ParsedVersion left = parse(a);
  const ParsedVersion right = parse(b);
  const std::size_t count = std::max(left.components.size(), right.components.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t x = i < left.components.size() ? left.components[i] : 0;
    const std::uint64_t y = i < right.components.size() ? right.components[i] : 0;
    if (x != y) return x > y ? 1 : -1;
  }
  if (left.preRelease == right.preRelease) return 0;
  return left.preRelease ? -1 : 1;
}

}  // namespace vantrel::update
