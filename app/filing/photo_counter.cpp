#include "photo_counter.h"

#include <algorithm>

#include "row_cells.h"

namespace vantrel::filing {

std::int64_t counterValue(std::string_view counterText) {
  return names::countFromCell(counterText);
}

std::int64_t startNumber(std::string_view counterText) {
  return std::max<std::int64_t>(1, counterValue(counterText));
}

std::optional<std::string> counterTextAfterFiling(std::string_view counterText, std::int64_t next) {
  if (counterValue(counterText) >= next) return std::nullopt;
  return std::to_string(next);
}

}  // namespace vantrel::filing
