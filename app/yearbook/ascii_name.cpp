#include "ascii_name.h"

#include "utf8_codec.h"

namespace vantrel::yearbook {

namespace {

// U+00C0 to U+00FF by base letter; '?' marks the letters written with two, ' ' the signs.
constexpr std::string_view kLatin1 =
    "AAAAAA?CEEEEIIIIDNOOOOO OUUUUY??aaaaaa?ceeeeiiiidnooooo ouuuuy?y";
// U+0100 to U+017F the same way.
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKkkLlLlLlLlLlNnNnNnnNnOoOoOo??RrRrRr"
    "SsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

std::string_view twoLetterForm(char32_t cp) {
  switch (cp) {
    case 0xC6:
      return "AE";
    case 0xDE:
      return "Th";
    case 0xDF:
      return "ss";
    case 0xE6:
      return "ae";
    case 0xFE:
      return "th";
    case 0x132:
      return "IJ";
    case 0x133:
      return "ij";
    case 0x152:
      return "OE";
    case 0x153:
      return "oe";
    default:
      return {};
  }
}

void appendTransliterated(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return;
  }
  char letter = ' ';
  if (cp >= 0xC0 && cp <= 0xFF)
    letter = kLatin1[cp - 0xC0];
  else if (cp >= 0x100 && cp <= 0x17F)
    letter = kLatinExtendedA[cp - 0x100];
  if (letter == '?')
    out += twoLetterForm(cp);
  else if (letter != ' ')
    out += letter;
}

}  // namespace

std::string asciiTransliterated(std::string_view text) {
  static_assert(kLatin1.size() == 0x40 && kLatinExtendedA.size() == 0x80);
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t cp = names::decodeUtf8At(text, pos);
    if (cp != names::kInvalidCodePoint) appendTransliterated(out, cp);
  }
  return out;
}

std::string columnNameKey(std::string_view name) {
  std::string key;
  for (char c : asciiTransliterated(name)) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) key += c;
  }
  return key;
}

}  // namespace vantrel::yearbook
