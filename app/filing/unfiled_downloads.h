// Photos left under their camera names in a download folder: downloaded, but never filed because
// the application or the computer stopped first.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::filing {

// The image files directly in `folders` (no folders, no hidden or temporary files, nothing below),
// oldest first by modification time, then by name; a path `skip` answers true for is left out.
// A folder that is missing or unreadable adds nothing.
std::vector<std::string> findUnfiledDownloads(const std::vector<std::filesystem::path>& folders,
                                              const std::function<bool(const std::string&)>& skip);

// Texts of the offer to file them.
inline constexpr std::string_view kUnfiledPhotosTitle = "Unfiled Photos Found";
std::string unfiledPhotosMessage(long long count);
std::string fileThemForButton(std::string_view personName);
inline constexpr std::string_view kChoosePersonButton = "Choose Person…";
inline constexpr std::string_view kLeaveThemButton = "Leave them";
// Found in the middle of a shoot: the status, and the Camera menu's items.
std::string unfiledPhotosStatus(long long count);
std::string fileUnfiledForItem(std::string_view personName);
inline constexpr std::string_view kFileUnfiledForPersonItem = "File Unfiled Photos for Person…";
inline constexpr std::string_view kLeaveUnfiledItem = "Leave Unfiled Photos";
std::string chooseUnfiledPersonMessage(long long count);

}  // namespace vantrel::filing
