#include "display_order.h"

#include <algorithm>
#include <numeric>

#include "entered_text.h"
#include "row_cells.h"

namespace vantrel::names {

void DisplayOrder::setSearchText(std::string text) {
  searchText_ = std::move(text);
}

bool DisplayOrder::isSearchActive() const {
  return !trimWhitespace(searchText_).empty();
}

CaptureFilter DisplayOrder::cycleCaptureFilter() {
  captureFilter_ = static_cast<CaptureFilter>((static_cast<int>(captureFilter_) + 1) % 3);
  return captureFilter_;
}

SortMode DisplayOrder::cycleSortMode() {
  sortMode_ = static_cast<SortMode>((static_cast<int>(sortMode_) + 1) % 3);
  return sortMode_;
}

bool DisplayOrder::canReorderRows() const {
  return !isSearchActive() && captureFilter_ == CaptureFilter::All &&
         sortMode_ == SortMode::ListOrder;
}

const std::vector<ModelRow>& DisplayOrder::sortedModelRows(const std::vector<Row>& rows,
                                                           const FoldedRowCache& folded,
                                                           const TextFolding& folding) {
  if (sortedGeneration_ == folded.namesGeneration() && sortedMode_ == sortMode_ &&
      sortedRows_.size() == rows.size())
    return sortedRows_;

  sortedRows_.resize(rows.size());
  std::iota(sortedRows_.begin(), sortedRows_.end(), ModelRow{0});
  const bool descending = sortMode_ == SortMode::Descending;
  std::stable_sort(sortedRows_.begin(), sortedRows_.end(), [&](ModelRow a, ModelRow b) {
    const int order =
        folding.compare(cellOrEmpty(rows[a], kNameCell), cellOrEmpty(rows[b], kNameCell));
    return descending ? order > 0 : order < 0;
  });
  sortedGeneration_ = folded.namesGeneration();
  sortedMode_ = sortMode_;
  return sortedRows_;
}

void DisplayOrder::rebuild(const std::vector<Row>& rows, const FoldedRowCache& folded,
                           const TextFolding& folding) {
  const std::string_view trimmedQuery = trimWhitespace(searchText_);
  const std::string query = trimmedQuery.empty() ? std::string() : folding.lower(trimmedQuery);

  const auto shown = [&](ModelRow modelRow) {
    const std::int64_t count = countFromCell(cellOrEmpty(rows[modelRow], kCountCell));
    if (captureFilter_ == CaptureFilter::WithPhotos && count < 1) return false;
    if (captureFilter_ == CaptureFilter::Remaining && count > 0) return false;
    return query.empty() || folded.foldedHaystack(modelRow).find(query) != std::string::npos;
  };

  displayRows_.clear();
  if (sortMode_ == SortMode::ListOrder) {
    for (ModelRow modelRow = 0; modelRow < static_cast<ModelRow>(rows.size()); ++modelRow)
      if (shown(modelRow)) displayRows_.push_back(modelRow);
  } else {
    // Filtering the whole list in sorted order gives the same rows as a stable sort of the
    // filtered rows, without sorting again at every keystroke.
    for (ModelRow modelRow : sortedModelRows(rows, folded, folding))
      if (shown(modelRow)) displayRows_.push_back(modelRow);
  }
}

ModelRow DisplayOrder::modelRowForDisplayRow(DisplayRow displayRow) const {
  if (displayRow < 0 || displayRow >= displayRowCount()) return kNoRow;
  return displayRows_[displayRow];
}

DisplayRow DisplayOrder::displayRowForModelRow(ModelRow modelRow) const {
  if (modelRow < 0) return kNoRow;
  const auto found = std::find(displayRows_.begin(), displayRows_.end(), modelRow);
  return found == displayRows_.end() ? kNoRow : found - displayRows_.begin();
}

DisplayRow DisplayOrder::moveGridSelectionBy(DisplayRow selectedDisplayRow,
                                             std::int64_t step) const {
  const std::int64_t count = displayRowCount();
  if (count == 0) return kNoRow;
  if (selectedDisplayRow < 0 || selectedDisplayRow >= count) return step < 1 ? count - 1 : 0;
  return std::clamp(selectedDisplayRow + step, std::int64_t{0}, count - 1);
}

}  // namespace vantrel::names
