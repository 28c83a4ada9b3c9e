#include "field_names.h"

#include <algorithm>

#include "entered_text.h"

namespace vantrel::names {

namespace {

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool sameFieldName(std::string_view a, std::string_view b) {
  a = trimWhitespace(a);
  b = trimWhitespace(b);
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

std::string fieldNameKey(std::string_view name) {
  std::string key(trimWhitespace(name));
  std::transform(key.begin(), key.end(), key.begin(), asciiLower);
  return key;
}

std::optional<std::size_t> findFieldName(const std::vector<std::string>& names,
                                         std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (sameFieldName(names[i], name)) return i;
  return std::nullopt;
}

std::string uniqueFieldName(const std::vector<std::string>& taken, std::string_view wanted,
                            std::string_view fallback) {
  std::string base(trimWhitespace(withoutLineBreaks(wanted)));
  if (base.empty()) base = trimWhitespace(fallback);
  std::string name = base;
  for (int n = 2; findFieldName(taken, name); ++n) name = base + " " + std::to_string(n);
  return name;
}

}  // namespace vantrel::names
