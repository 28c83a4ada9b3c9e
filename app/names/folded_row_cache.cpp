#include "folded_row_cache.h"

#include "row_cells.h"

namespace vantrel::names {

void FoldedRowCache::refresh(const std::vector<Row>& rows, const TextFolding& folding) {
  bool namesChanged = entries_.size() != rows.size();
  entries_.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    Entry& entry = entries_[i];
    const std::string_view name = cellOrEmpty(row, kNameCell);
    const std::string_view note = cellOrEmpty(row, kNoteCell);
    const bool hasNote = row.size() > kNoteCell;
    const bool nameSame = entry.name == name;
    if (nameSame && entry.note == note && entry.hasNote == hasNote) continue;

    if (!nameSame) {
      namesChanged = true;
      entry.name = name;
      entry.foldedName = folding.lower(name);
    }
    entry.note = note;
    entry.hasNote = hasNote;
    entry.haystack = entry.foldedName;
    if (hasNote) {
      entry.haystack += ' ';
      entry.haystack += folding.lower(note);
    }
  }
  if (namesChanged) ++namesGeneration_;
}

}  // namespace vantrel::names
