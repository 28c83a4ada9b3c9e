// Whether a path lies in a folder, compared by whole path components, so that the folder
// "/photos/A" holds "/photos/A/x.jpg" but not "/photos/AB/x.jpg".
#pragma once

#include <filesystem>
#include <optional>

namespace vantrel {

// The part of `path` below `folder` (empty when both name the same folder), or nothing when
// `path` is not the folder or inside it, or `folder` is empty. Both are normalised lexically
// first, so "." and ".." steps cannot lead out of the folder; symbolic links are not followed.
std::optional<std::filesystem::path> relative_path_inside(const std::filesystem::path& folder,
                                                          const std::filesystem::path& path);

}  // namespace vantrel
