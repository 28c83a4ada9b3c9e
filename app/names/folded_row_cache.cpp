#include "folded_row_cache.h"

#include <algorithm>

#include "row_cells.h"

namespace vantrel::names {

namespace {

constexpr char kFieldSeparator = '\x1f';

bool sameFields(const Row& row, const std::vector<std::string>& fields) {
  const std::size_t count = row.size() > kFirstFieldCell ? row.size() - kFirstFieldCell : 0;
  return count == fields.size() &&
         std::equal(fields.begin(), fields.end(), row.begin() + kFirstFieldCell);
}

}  // namespace

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
    const bool fieldsSame = sameFields(row, entry.fields);
    if (nameSame && entry.note == note && entry.hasNote == hasNote && fieldsSame) continue;

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
    if (!fieldsSame) {
      entry.fields.clear();
      if (row.size() > kFirstFieldCell)
        entry.fields.assign(row.begin() + kFirstFieldCell, row.end());
    }
    for (const std::string& field : entry.fields) {
      if (field.empty()) continue;
      entry.haystack += kFieldSeparator;
      entry.haystack += folding.lower(field);
    }
  }
  if (namesChanged) ++namesGeneration_;
}

}  // namespace vantrel::names
