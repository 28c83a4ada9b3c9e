// Where one photo's copy goes in the backup folder, in two steps so that a run can write all its
// copies before it flushes any: first the names are looked at and the bytes written under the
// temporary name, then, once the temporary copy is flushed, it is checked and renamed to a free
// name. A name
// that already holds the photo's bytes is the copy; one taken by other bytes is never replaced.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "copy_job.h"

namespace vantrel::backup {

class CopyPlacement {
 public:
  // `size` is the photo's size, which the copy must have.
  CopyPlacement(const CopyJob& job, const FileCopier& copy, std::uintmax_t size);
  CopyPlacement(const CopyPlacement&) = delete;
  CopyPlacement& operator=(const CopyPlacement&) = delete;
  // A temporary copy that was not placed is removed.
  ~CopyPlacement();

  // Step one: the result when the photo needs no second step (a name already holds its bytes, or
  // it failed); nothing when its bytes are now written, not yet flushed, under the temporary name.
  std::optional<CopyResult> prepare();
  // Where step one wrote the copy, to be flushed before step two.
  const std::filesystem::path& temporaryCopy() const { return temporary_; }
  // Step two, after prepare() returned nothing and the temporary copy was flushed with
  // `flushError`: a copy that is not on the disk never gets the photo's name.
  CopyResult place(const std::error_code& flushError);

 private:
  enum class Step { Prepare, Place };

  // Walks the names "x.jpg", "x (2).jpg", ... from the current number up to the first free one.
  std::optional<CopyResult> walkNames(Step step);
  // The reason the temporary copy could not be written, if any.
  std::optional<CopyResult> writeTemporary();
  void discardTemporary();
  CopyResult copied(const std::filesystem::path& at);

  const CopyJob& job_;
  const FileCopier& copy_;
  const std::uintmax_t size_;
  const std::filesystem::path temporary_;
  unsigned number_ = 1;
  bool temporaryWritten_ = false;
};

}  // namespace vantrel::backup
