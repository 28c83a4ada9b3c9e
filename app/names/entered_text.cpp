#include "entered_text.h"

#include <algorithm>
#include <array>

namespace vantrel::names {

namespace {

// UTF-8 white space beyond ASCII: NEL, NBSP, OGHAM, EN QUAD..HAIR SPACE, LS, PS, NNBSP, MMSP,
// IDEOGRAPHIC SPACE.
constexpr std::array<std::string_view, 19> kWideSpaces = {
    "\u0085", "\u00A0", "\u1680", "\u2000", "\u2001", "\u2002", "\u2003",
    "\u2004", "\u2005", "\u2006", "\u2007", "\u2008", "\u2009", "\u200A",
    "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};

bool isAsciiSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

std::size_t spaceLengthAtStart(std::string_view text) {
  if (text.empty()) return 0;
  if (isAsciiSpace(text.front())) return 1;
  for (std::string_view space : kWideSpaces)
    if (text.starts_with(space)) return space.size();
  return 0;
}

std::size_t spaceLengthAtEnd(std::string_view text) {
  if (text.empty()) return 0;
  if (isAsciiSpace(text.back())) return 1;
  for (std::string_view space : kWideSpaces)
    if (text.ends_with(space)) return space.size();
  return 0;
}

}  // namespace

std::string_view trimWhitespace(std::string_view text) {
  while (std::size_t n = spaceLengthAtStart(text)) text.remove_prefix(n);
  while (std::size_t n = spaceLengthAtEnd(text)) text.remove_suffix(n);
  return text;
}

std::string withoutLineBreaks(std::string_view text) {
  std::string result(text);
  std::replace_if(
      result.begin(), result.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return result;
}

}  // namespace vantrel::names
