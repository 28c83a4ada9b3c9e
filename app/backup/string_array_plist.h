// An XML property list whose root is an array of paths: the backup queue file's format. A path
// that is UTF-8 is a <string>; any other (a Linux file name is only bytes) is a <data> element
// holding its bytes in base64, in the same array and in the same order.
#pragma once

#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::backup {

// The property list text, written so that any byte string reads back unchanged.
template <typename Strings>
std::string formatStringArrayPlist(const Strings& strings);

// The entries of a property list whose root is an array of <string> and <data> elements, or
// nothing when the text is not one (malformed, another root, any other kind of entry). The
// characters of a <string> are taken as they stand, so that a file from before <data> keeps
// the bytes it was written with.
std::optional<std::vector<std::string>> parseStringArrayPlist(std::string_view text);

// One array entry on a line of its own: <string> or <data>, whichever keeps `bytes` unchanged.
void appendArrayEntry(std::string& out, std::string_view bytes);

// The strings of the property list file `file`; none when it is missing, unreadable or malformed.
std::vector<std::string> readStringArrayPlistFile(const std::filesystem::path& file);

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
    for (const auto& text : strings) appendArrayEntry(out, text);
    out += "</array>\n";
  }
  out += "</plist>\n";
  return out;
}

}  // namespace vantrel::backup
