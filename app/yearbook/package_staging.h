// The package is made in a hidden folder beside its place (".<NAME>.partial-XXXXXX" in the output
// folder, so on the same disk) and renamed into place only when complete: a failure, a cancel or a
// crash never leaves a half package under the package's name.
//
// Replacing a package keeps the old one until the new one is in place: the old folder is renamed
// aside (".<NAME>.old-XXXXXX"), the new one renamed in, and only then is the old one deleted; when
// the new one cannot be moved in, the old one is put back.
#pragma once

#include <filesystem>
#include <string>

namespace vantrel::yearbook {

class PackageStaging {
 public:
  // Makes the staging folder for `package` (DIR/NAME); see ok() and error().
  explicit PackageStaging(std::filesystem::path package);
  // Removes the staging folder and all in it, unless it was committed.
  ~PackageStaging();
  PackageStaging(const PackageStaging&) = delete;
  PackageStaging& operator=(const PackageStaging&) = delete;

  bool ok() const { return !staging_.empty(); }
  const std::string& error() const { return error_; }
  const std::filesystem::path& folder() const { return staging_; }

  // Flushes the staged files to the disk and moves the folder into the package's place. Without
  // `replace` only a missing or empty package folder is replaced. False, with error() saying why
  // and any old package where it was, when that failed.
  bool commit(bool replace);

 private:
  bool moveInReplacing();
  std::filesystem::path hiddenSibling(const char* tag) const;

  std::filesystem::path package_;
  std::filesystem::path staging_;
  std::string error_;
  bool committed_ = false;
};

}  // namespace vantrel::yearbook
