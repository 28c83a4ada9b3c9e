#include "capture_filing.h"

#include <fcntl.h>
#include <unistd.h>

#include <exception>
#include <limits>
#include <optional>

#include "capture_naming.h"
#include "disk_flush.h"
#include "exclusive_copy.h"
#include "filing_messages.h"
#include "no_replace_rename.h"
#include "photo_counter.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kLastNumber = std::numeric_limits<std::int64_t>::max();
// Names taken by someone else between our check and our move, before we give up.
constexpr int kMaxTakenNames = 1000;

FilingResult failure(std::string_view message) {
  return {std::nullopt, std::string(message), {}, {}};
}

std::uintmax_t sizeOrZero(const fs::path& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  return error ? 0 : size;
}

bool somethingAt(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

enum class Placement { Placed, NameTaken, Failed };

// The photo's bytes on the disk before it is moved where it counts: a power cut after "Saved"
// must not leave an empty or torn file behind its name.
void flushData(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::fdatasync(fd);
  ::close(fd);
}

// Moves the file, or copies it when it cannot be moved (another volume) and then deletes the
// source. Neither replaces a file at `destination`. A rename lives in its folder's entries: the
// folder is flushed too, so that the photo is found after a crash.
Placement placeFile(const fs::path& source, const fs::path& destination, std::string& error) {
  flushData(source);
  std::error_code moveError;
  if (rename_no_replace(source, destination, moveError)) {
    flush_folder(destination.parent_path());
    return Placement::Placed;
  }
  if (moveError == std::errc::file_exists) return Placement::NameTaken;

  std::error_code copyError;
  if (!copy_file_exclusively(source, destination, copyError)) {
    if (copyError == std::errc::file_exists) return Placement::NameTaken;
    const std::string description = copyError.message();
    error = description.empty() ? std::string(kUnableToWriteError) : description;
    return Placement::Failed;
  }
  flush_folder(destination.parent_path());
  std::error_code ignored;
  fs::remove(source, ignored);
  return Placement::Placed;
}

FilingResult fileCapture(const fs::path& source, FilingHost& host) {
  std::error_code error;
  if (!fs::exists(source, error)) return failure(kSourceMissingError);
  const std::uintmax_t size = sizeOrZero(source);
  if (size == 0) return failure(kSourceEmptyError);
  const std::optional<std::uint64_t> freeBytes = host.freeBytesOnTargetVolume();
  const std::uint64_t needed =
      size > std::numeric_limits<std::uint64_t>::max() - kStorageReserveBytes
          ? std::numeric_limits<std::uint64_t>::max()
          : size + kStorageReserveBytes;
  // A volume that cannot be read does not block: the move itself will tell.
  if (freeBytes && *freeBytes < needed) return failure(kStorageFullError);

  const FilingSnapshot snapshot = host.snapshotForFiling();
  // The download folder is then a temporary one; the photo waits there for a target folder.
  if (snapshot.targetFolder.empty()) return failure(kNoTargetFolderError);
  const std::string folderName = personFolderName(snapshot.personName, snapshot.suffixString);
  const fs::path folder = snapshot.targetFolder / folderName;
  // A folder that cannot be made shows up as the move's error.
  fs::create_directories(folder, error);
  const std::string extension = captureExtension(source);

  std::int64_t number = startNumber(snapshot.counterText);
  for (int taken = 0; taken < kMaxTakenNames; ++taken) {
    // Gaps are not filled back: the first free number at or above the counter is used.
    while (number < kLastNumber &&
           somethingAt(folder / captureFileName(folderName, number, extension)))
      ++number;
    if (number == kLastNumber) break;
    const fs::path destination = folder / captureFileName(folderName, number, extension);
    host.advanceCounter(number + 1);

    std::string placeError;
    const Placement placement = placeFile(source, destination, placeError);
    if (placement == Placement::NameTaken) {
      ++number;
      continue;
    }
    if (placement == Placement::Failed) return failure(placeError);
    if (sizeOrZero(destination) == 0) {
      fs::remove(destination, error);
      return failure(kFinalFileEmptyError);
    }
    return {destination, {}, snapshot.captureRow, snapshot.suffixString};
  }
  return failure(kUnableToWriteError);
}

}  // namespace

FilingResult renameDownloadedFile(const fs::path& source, FilingHost& host) {
  try {
    return fileCapture(source, host);
  } catch (const std::exception& exception) {
    return failure(exception.what());
  } catch (...) {
    return failure(kUnableToWriteError);
  }
}

}  // namespace vantrel::filing
