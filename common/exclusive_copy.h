// A copy that never replaces a file: filing falls back to it when a capture cannot be moved
// (another volume, say), and the backup copies every photo with it.
#pragma once

#include <filesystem>
#include <system_error>

namespace vantrel {

struct CopyFailure {
  std::error_code error;
  bool source_side = false;  // reading the source failed, not writing the copy
};

// Whether the copy is flushed to the disk before the copy function returns, or by the caller, who
// may let several copies' write-out run together before flushing each (flush_file).
enum class CopyFlush { before_return, by_caller };

// Copies `from` to a new file `to`, created exclusively, and flushes it to the disk before
// returning unless `flush` leaves that to the caller. Fails with std::errc::file_exists when `to`
// exists. On any failure nothing is left at `to` and `failure` says why and on which side. The
// source's permission bits and modification time are carried over where the destination allows it;
// a destination that refuses them (an SMB share, a FAT drive) still gets the copy.
bool copy_file_exclusively(const std::filesystem::path& from, const std::filesystem::path& to,
                           CopyFailure& failure, CopyFlush flush = CopyFlush::before_return);

// The same, for callers that do not care which side failed.
bool copy_file_exclusively(const std::filesystem::path& from, const std::filesystem::path& to,
                           std::error_code& error);

}  // namespace vantrel
