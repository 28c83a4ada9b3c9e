#include "portrait_owner.h"

#include <algorithm>

#include "capture_naming.h"
#include "yearbook_fields.h"

namespace fs = std::filesystem;

namespace vantrel::yearbook {

std::string photoPathInTarget(const fs::path& targetFolder, const fs::path& photo) {
  if (targetFolder.empty() || photo.empty()) return {};
  const fs::path target = targetFolder.lexically_normal();
  const fs::path relative = photo.lexically_normal().lexically_relative(target);
  if (relative.empty() || relative.is_absolute()) return {};
  for (const fs::path& part : relative)
    if (part == ".." || part == ".") return {};
  return relative.generic_string();
}

bool folderBelongsToPerson(std::string_view folderName, std::string_view personName) {
  const std::string sanitized = filing::sanitize_filename(personName);
  if (folderName == sanitized) return true;
  return folderName.size() > sanitized.size() + 1 && folderName.starts_with(sanitized) &&
         folderName[sanitized.size()] == '_';
}

std::optional<names::ModelRow> ownerOfPhoto(const names::NamesList& list,
                                            const fs::path& targetFolder, const fs::path& photo,
                                            names::ModelRow preferred) {
  const std::string relative = photoPathInTarget(targetFolder, photo);
  const std::size_t slash = relative.find('/');
  // Only a photo directly inside a person's folder has an owner.
  if (slash == std::string::npos || relative.find('/', slash + 1) != std::string::npos) return {};
  const std::string_view folder = std::string_view(relative).substr(0, slash);
  std::optional<names::ModelRow> owner;
  std::size_t ownerLength = 0;
  for (names::ModelRow row = 0; row < list.rowCount(); ++row) {
    const std::string_view name = list.nameForModelRow(row);
    if (name.empty() || !folderBelongsToPerson(folder, name)) continue;
    const std::size_t length = filing::sanitize_filename(name).size();
    const bool sameName = owner && length == ownerLength;
    if (!owner || length > ownerLength || (sameName && row == preferred)) {
      owner = row;
      ownerLength = length;
    }
  }
  return owner;
}

std::vector<names::ModelRow> followPortraitRenames(
    names::NamesList& list, const fs::path& targetFolder,
    const std::vector<std::pair<std::string, std::string>>& renames) {
  std::vector<names::ModelRow> changed;
  const std::optional<std::size_t> field = list.fieldIndex(kYearbookPhotoField);
  if (!field) return changed;
  auto noteChange = [&changed](names::ModelRow row) {
    if (std::find(changed.begin(), changed.end(), row) == changed.end()) changed.push_back(row);
  };
  for (const auto& [from, to] : renames) {
    const std::string oldValue = photoPathInTarget(targetFolder, from);
    if (oldValue.empty()) continue;
    std::vector<names::ModelRow> holders;
    for (names::ModelRow row = 0; row < list.rowCount(); ++row)
      if (list.fieldValue(row, *field) == oldValue) holders.push_back(row);
    if (holders.empty()) continue;
    const std::string newValue = photoPathInTarget(targetFolder, to);
    const names::ModelRow owner =
        newValue.empty()
            ? names::kNoRow
            : ownerOfPhoto(list, targetFolder, to, holders.front()).value_or(names::kNoRow);
    for (names::ModelRow row : holders) {
      if (row == owner) continue;
      list.setFieldValue(row, *field, "");
      noteChange(row);
    }
    if (owner == names::kNoRow) continue;
    const std::string_view current = list.fieldValue(owner, *field);
    if (current.empty() || current == oldValue) {
      list.setFieldValue(owner, *field, newValue);
      noteChange(owner);
    }
  }
  return changed;
}

}  // namespace vantrel::yearbook
