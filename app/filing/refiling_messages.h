// The texts of "Move Last Photos…": the dialog, the refusal when nothing was filed yet, and the
// result. Counts follow the house rule: no "s" for exactly one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "photo_refiling.h"

namespace vantrel::filing {

inline constexpr std::string_view kMoveLastPhotosTitle = "Move Last Photos";
inline constexpr std::string_view kNothingFiledYetMessage =
    "No photos have been filed since Vantrel Photo Tether started. Photos filed earlier can be "
    "moved with Rename Folder & Images… in a name's menu.";

// The dialog's text above the number and the person search.
std::string moveLastPhotosMessage(std::int64_t filedThisSession);

// "Moved 2 photos to "Bob"." with what stayed behind, e.g. " 1 photo was already there."
std::string movedLastPhotosStatus(const RefilingResult& result, std::string_view personName);

}  // namespace vantrel::filing
