#include "share_url_encoding.h"

namespace vantrel::backup {

namespace {

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isKept(char c) {
  return isLetter(c) || isDigit(c) || std::string_view("-._~:/@").find(c) != std::string_view::npos;
}

}  // namespace

std::string percentEncodeShareUrl(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(url.size());
  for (const char c : url) {
    if (isKept(c)) {
      encoded.push_back(c);
    } else {
      const auto byte = static_cast<unsigned char>(c);
      encoded.push_back('%');
      encoded.push_back(kHex[byte >> 4]);
      encoded.push_back(kHex[byte & 0xF]);
    }
  }
  return encoded;
}

bool isMountableShareUrl(std::string_view encodedUrl) {
  const std::size_t colon = encodedUrl.find("://");
  if (colon == 0 || colon == std::string_view::npos) return false;
  for (char c : encodedUrl.substr(0, colon)) {
    if (!isLetter(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return isLetter(encodedUrl.front()) && encodedUrl.size() > colon + 3;
}

}  // namespace vantrel::backup
