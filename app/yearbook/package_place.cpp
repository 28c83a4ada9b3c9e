#include "package_place.h"

#include "path_inside.h"
#include "volume_name.h"

namespace vantrel::yearbook {

namespace fs = std::filesystem;

PlaceProblem packagePlaceProblem(const fs::path& targetFolder, const fs::path& outputFolder,
                                 const std::string& volumeName, bool replace) {
  if (auto problem = volumeNameProblem(volumeName))
    return {YearbookError::BadVolumeName, std::move(*problem)};
  std::error_code error;
  if (targetFolder.empty() || !fs::is_directory(targetFolder, error))
    return {YearbookError::NoTargetFolder,
            "The target folder " + targetFolder.native() + " is not a folder."};
  if (outputFolder.empty() || !fs::is_directory(outputFolder, error))
    return {YearbookError::NoOutputFolder,
            "The output folder " + outputFolder.native() + " is not a folder."};

  const fs::path package = fs::canonical(outputFolder, error) / volumeName;
  const fs::path target = fs::canonical(targetFolder, error);
  if (error || relative_path_inside(target, package) || relative_path_inside(package, target))
    return {YearbookError::PackageInTarget, "The package " + package.native() +
                                                " may not lie in the target folder " +
                                                target.native() + " or hold it."};

  const fs::file_status status = fs::symlink_status(package, error);
  if (!fs::exists(status)) return {};
  if (!fs::is_directory(status))
    return {YearbookError::PackageExists, package.native() + " exists and is not a folder."};
  if (!replace && !fs::is_empty(package, error))
    return {YearbookError::PackageExists, "The folder " + package.native() +
                                              " exists and is not empty; replace it or choose " +
                                              "another volume name."};
  return {};
}

}  // namespace vantrel::yearbook
