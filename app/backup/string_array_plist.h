// An XML property list whose root is an array of strings: the backup queue file's format.
#pragma once

#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::backup {

// The property list text, each string escaped so that any path reads back unchanged.
template <typename Strings>
std::string formatStringArrayPlist(const Strings& strings);

// The strings of a property list whose root is an array of strings, or nothing when the text is
// not one (malformed, another root, an entry that is not a string).
std::optional<std::vector<std::string>> parseStringArrayPlist(std::string_view text);

// The strings of the property list file `file`; none when it is missing, unreadable or malformed.
std::vector<std::string> readStringArrayPlistFile(const std::filesystem::path& file);

// One string as XML character data.
void appendEscapedXml(std::string& out, std::string_view text);

template <typename Strings>
std::string formatStringArrayPlist(const Strings& strings) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
      "<plist version=\"1.0\">\n";
  if (std::empty(strings)) {
    out += "<array/>\n";
  } else {
    out += "<array>\n";
    for (const auto& text : strings) {
      out += "\t<string>";
      appendEscapedXml(out, text);
      out += "</string>\n";
    }
    out += "</array>\n";
  }
  out += "</plist>\n";
  return out;
}

}  // namespace vantrel::backup
