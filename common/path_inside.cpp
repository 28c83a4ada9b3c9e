#include "path_inside.h"

namespace vantrel {

namespace {

// A trailing separator leaves an empty last element ("/a/b/" ends in ""); it names no folder.
std::filesystem::path without_trailing_separator(const std::filesystem::path& path) {
  std::filesystem::path normal = path.lexically_normal();
  if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
  return normal;
}

}  // namespace

std::optional<std::filesystem::path> relative_path_inside(const std::filesystem::path& folder,
                                                          const std::filesystem::path& path) {
  if (folder.empty() || path.empty()) return std::nullopt;
  const std::filesystem::path outer = without_trailing_separator(folder);
  const std::filesystem::path inner = without_trailing_separator(path);
  auto in = inner.begin();
  for (const std::filesystem::path& part : outer) {
    if (in == inner.end() || *in != part) return std::nullopt;
    ++in;
  }
  std::filesystem::path rest;
  for (; in != inner.end(); ++in) rest /= *in;
  return rest;
}

}  // namespace vantrel
