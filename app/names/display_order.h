// What the names table shows and in which order: the search text, the capture filter and the
// sort mode, and the display rows they produce. None of them changes the list itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "folded_row_cache.h"
#include "names_types.h"
#include "text_folding.h"

namespace vantrel::names {

class DisplayOrder {
 public:
  // The search field's text as typed; only its trimmed form matters.
  void setSearchText(std::string text);
  const std::string& searchText() const { return searchText_; }
  bool isSearchActive() const;

  CaptureFilter captureFilter() const { return captureFilter_; }
  void setCaptureFilter(CaptureFilter filter) { captureFilter_ = filter; }
  // All → With Photos → Remaining → All.
  CaptureFilter cycleCaptureFilter();

  SortMode sortMode() const { return sortMode_; }
  void setSortMode(SortMode mode) { sortMode_ = mode; }
  // List order → A to Z → Z to A → list order.
  SortMode cycleSortMode();

  // Dragging rows between others only makes sense when display rows are model rows.
  bool canReorderRows() const;

  // Rebuilds the display rows from the list. `folded` must have been refreshed for `rows`.
  void rebuild(const std::vector<Row>& rows, const FoldedRowCache& folded,
               const TextFolding& folding);
  // Forgets the display rows, as when the whole list is replaced.
  void clearRows() { displayRows_.clear(); }

  const std::vector<ModelRow>& displayRows() const { return displayRows_; }
  std::int64_t displayRowCount() const { return static_cast<std::int64_t>(displayRows_.size()); }
  ModelRow modelRowForDisplayRow(DisplayRow displayRow) const;
  // kNoRow when the model row is hidden.
  DisplayRow displayRowForModelRow(ModelRow modelRow) const;

  // The display row an arrow key moves the selection to (step -1 up, +1 down), kept inside
  // the table; with nothing selected, up goes to the last row and down to the first.
  // kNoRow when the table is empty.
  DisplayRow moveGridSelectionBy(DisplayRow selectedDisplayRow, std::int64_t step) const;

 private:
  // Every model row in the order of the current sort mode, cached until a name changes.
  const std::vector<ModelRow>& sortedModelRows(const std::vector<Row>& rows,
                                               const FoldedRowCache& folded,
                                               const TextFolding& folding);

  std::string searchText_;
  CaptureFilter captureFilter_ = CaptureFilter::All;
  SortMode sortMode_ = SortMode::ListOrder;
  std::vector<ModelRow> displayRows_;

  std::vector<ModelRow> sortedRows_;
  std::optional<std::uint64_t> sortedGeneration_;
  SortMode sortedMode_ = SortMode::ListOrder;
};

}  // namespace vantrel::names
