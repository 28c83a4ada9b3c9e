#include "capture_target.h"

#include <algorithm>

#include "edsdk_api.h"

namespace gphoto {

std::optional<std::string> choose_capture_target(int32_t save_to,
                                                 const std::vector<std::string>& choices) {
  // Preferred first: a card and the computer both is best kept as one setting where there is one.
  std::vector<std::string> wanted;
  if (save_to == eds::kSaveToHost) {
    wanted = {"Internal RAM", "sdram"};
  } else if (save_to == eds::kSaveToBoth) {
    wanted = {"card+sdram", "Memory card", "card"};
  } else if (save_to == eds::kSaveToCamera) {
    wanted = {"Memory card", "card"};
  }
  for (const std::string& name : wanted) {
    if (std::find(choices.begin(), choices.end(), name) != choices.end()) return name;
  }
  return std::nullopt;
}

}  // namespace gphoto
