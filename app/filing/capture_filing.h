// Filing one downloaded capture: checks, a number, a move into the person's folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "filing_host.h"
#include "names_types.h"

namespace vantrel::filing {

// Room kept free on the target volume beyond the photo itself.
inline constexpr std::uint64_t kStorageReserveBytes = 512ull * 1024 * 1024;

struct FilingResult {
  std::optional<std::filesystem::path> savedPath;  // set on success
  std::string error;                               // set on failure
  names::ModelRow captureRow = names::kNoRow;      // on success, the row to count it against
  std::string suffixString;                        // on success, the tags it was filed with

  bool succeeded() const { return savedPath.has_value(); }
};

// Moves the downloaded file into "<target>/<folder name>/<folder name>_<number>.<ext>", where
// the folder name is the sanitised person name (or "untitled") plus the enabled suffixes and
// the number is the first free one at or above the counter. The counter is moved past the
// number before the move. A file is never replaced, not even one that appears between the
// check and the move: the next free number is taken instead. Runs on the filing thread; the
// host hops to the main thread. Every failure comes back as an error text and, unless the
// photo was moved, leaves the downloaded file where it was.
FilingResult renameDownloadedFile(const std::filesystem::path& source, FilingHost& host);

}  // namespace vantrel::filing
