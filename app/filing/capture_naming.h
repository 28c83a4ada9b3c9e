// How a person's name becomes a folder, and a capture a numbered file inside it. Every part of
// the application that maps a name to a folder goes through these rules.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel::filing {

// The folder of photos that belong to nobody, and of names that leave nothing usable.
inline constexpr std::string_view kUntitledName = "untitled";

// Replaces control characters and " * / : < > ? \ | by "-" and trims ASCII white space. Bytes
// of 128 and above pass, so names in any script survive. An empty result, "." or ".." gives
// "untitled": those would name the target folder itself or its parent.
std::string sanitize_filename(std::string_view name);

// The sanitised person name followed directly by the enabled suffix string.
std::string personFolderName(std::string_view personName, std::string_view suffixString);

// The text after the last dot of the last path component; empty when there is none. A leading
// dot (a hidden file's name) does not start an extension.
std::string_view fileExtension(std::string_view nameOrPath);

// The downloaded file's extension in the case it has, "JPG" when it has none.
std::string captureExtension(const std::filesystem::path& downloadedFile);

// "<folder name>_<number, at least four digits>.<extension>", e.g. "Ann Lee_FR_0007.CR3".
std::string captureFileName(std::string_view folderName, std::int64_t number,
                            std::string_view extension);

}  // namespace vantrel::filing
