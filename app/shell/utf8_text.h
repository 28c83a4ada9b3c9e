// Texts of the logic libraries (UTF-8 in std::string) as Qt strings.
#pragma once

#include <QString>
#include <string_view>

inline QString utf8Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
