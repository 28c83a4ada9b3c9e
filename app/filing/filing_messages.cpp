#include "filing_messages.h"

#include "names_messages.h"
#include "plural.h"

namespace vantrel::filing {

namespace {

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

std::string savedStatus(std::string_view savedFileName) {
  return "Saved: " + std::string(savedFileName);
}

std::string suffixToggledStatus(std::string_view enabledSuffixString) {
  if (enabledSuffixString.empty()) return "No suffix active: photos save to plain name folders.";
  return "Suffix active: photos save to folders tagged " + quoted(enabledSuffixString) +
         " (see Next: in the info line).";
}

std::string nameColumnTitleWithCount(names::SortMode sortMode, std::int64_t rowCount) {
  std::string title = names::nameColumnTitle(sortMode);
  if (rowCount <= 0) return title;
  return title + "      " + std::to_string(rowCount) + " name" + plural_s(rowCount);
}

std::string renamedFolderStatus(std::string_view sanitizedName, std::int64_t photos) {
  return "Renamed folder to " + quoted(sanitizedName) + " (" + std::to_string(photos) + " photo" +
         plural_s(photos) + " updated).";
}

std::string movedPhotosStatus(std::int64_t photos, std::string_view newName, bool rowAdded) {
  return "Moved " + std::to_string(photos) + " photo" + plural_s(photos) + " to " +
         quoted(newName) + (rowAdded ? " (new row added)" : "") + ".";
}

std::string moveCandidateTitle(std::string_view suffix, std::optional<std::int64_t> photos) {
  if (!photos) return std::string(suffix) + "   (no photos)";
  return std::string(suffix) + "   (" + std::to_string(*photos) + " photo" + plural_s(*photos) +
         ")";
}

}  // namespace vantrel::filing
