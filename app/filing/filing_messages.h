// Every text capture filing shows the operator: filing errors, statuses, the tag status, the
// name column's title, and the results of folder renames and photo moves. Counts follow the
// house rule: no "s" for exactly one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "names_types.h"

namespace vantrel::filing {

// Filing a capture. Failures show as an alert with this title and as an error status.
inline constexpr std::string_view kWriteErrorTitle = "Write Error";
inline constexpr std::string_view kSourceMissingError =
    "Source file disappeared before it could be written.";
inline constexpr std::string_view kSourceEmptyError =
    "Source file is 0KB. Laptop storage may be full, or the camera file did not finish writing.";
inline constexpr std::string_view kStorageFullError =
    "Laptop storage is full or almost full. Free up space before continuing.";
inline constexpr std::string_view kNoTargetFolderError =
    "No target folder is set. Choose a target folder first.";
inline constexpr std::string_view kUnableToWriteError = "Unable to write file.";
inline constexpr std::string_view kFinalFileEmptyError =
    "Final file was written as 0KB. Check laptop storage.";
std::string savedStatus(std::string_view savedFileName);

// Suffix tags: the status after a tag was toggled, given the enabled suffix string.
std::string suffixToggledStatus(std::string_view enabledSuffixString);

// The name column: the sort title, and the number of names when the list is not empty.
std::string nameColumnTitleWithCount(names::SortMode sortMode, std::int64_t rowCount);

// Folder renames.
inline constexpr std::string_view kRenameFailedTitle = "Rename Failed";
inline constexpr std::string_view kEnterValidNameError = "Please enter a valid name.";
inline constexpr std::string_view kAlreadyFolderNameError = "That is already the folder's name.";
inline constexpr std::string_view kCouldNotRenameFolderError = "Could not rename the folder.";
std::string renamedFolderStatus(std::string_view sanitizedName, std::int64_t photos);

// Photo moves between names.
inline constexpr std::string_view kMoveProblemTitle = "Move Problem";
std::string movedPhotosStatus(std::int64_t photos, std::string_view newName, bool rowAdded);
// A suffix checkbox of the move dialog: with the photos of an existing folder, or without one.
std::string moveCandidateTitle(std::string_view suffix, std::optional<std::int64_t> photos);

}  // namespace vantrel::filing
