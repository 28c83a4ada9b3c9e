#include "gvfs_share.h"

#include <map>
#include <string>
#include <string_view>

#include "path_inside.h"

namespace vantrel::platform {

namespace {

constexpr std::string_view kSmbSharePrefix = "smb-share:";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// GVfs escapes reserved characters of its key values as %XX.
std::string percentDecoded(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
        hexValue(text[i + 2]) >= 0) {
      decoded.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
      i += 2;
    } else {
      decoded.push_back(text[i]);
    }
  }
  return decoded;
}

std::map<std::string, std::string> keyValues(std::string_view list) {
  std::map<std::string, std::string> values;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    const std::size_t equals = item.find('=');
    if (equals != std::string_view::npos)
      values[std::string(item.substr(0, equals))] = percentDecoded(item.substr(equals + 1));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return values;
}

}  // namespace

std::optional<MountSource> gvfsShareOf(const std::filesystem::path& path,
                                       const std::filesystem::path& gvfsRoot) {
  const std::optional<std::filesystem::path> inside = relative_path_inside(gvfsRoot, path);
  if (!inside || inside->empty()) return std::nullopt;
  const std::string folder = inside->begin()->string();
  if (folder.rfind(kSmbSharePrefix, 0) != 0) return std::nullopt;

  std::map<std::string, std::string> values =
      keyValues(std::string_view(folder).substr(kSmbSharePrefix.size()));
  const std::string& server = values["server"];
  const std::string& share = values["share"];
  if (server.empty() || share.empty()) return std::nullopt;
  const std::string& user = values["user"];
  return MountSource{"//" + (user.empty() ? "" : user + "@") + server + "/" + share, "smb",
                     gvfsRoot.lexically_normal() / folder};
}

}  // namespace vantrel::platform
