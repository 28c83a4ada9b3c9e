// The roster being photographed: rows in list order, the current person, and the display order
// of the names table. Every rule of the list lives here so that the window stays thin.
//
// Edits that add, remove or move rows also settle the current person, clear the search where
// the list's behaviour asks for it, and rebuild the display order; edits of a single cell leave
// the display order to the caller, which decides when to re-filter. `revision()` moves with
// every change of content or order, so the store is written at most once per change.
//
// Fields: a roster's other columns (ID, class, grade, teacher, the first- and last-name columns
// a name was joined from, or values the application stores per person) travel with each person
// as named fields. The names are ordered and unique ignoring ASCII letter case, and are looked up
// that way ("grade" finds "Grade"). A field's values live in the rows' cells after the fourth,
// in the order of fieldNames(); a row may hold fewer cells, and a missing value reads as empty.
// Edits that move, insert or delete rows carry the fields along. Search matches field values.
// The grid store keeps them as extra named columns; a list without fields stores as before.
//
//   for (ModelRow row = 0; row < list.rowCount(); ++row)
//     if (list.fieldValue(row, "Student ID") == scanned) ...
//   list.setFieldValue(row, list.addField("Portrait"), "IMG_0042.JPG");
//
// Every setter counts as a change of the list, so the store is written at the next save.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "display_order.h"
#include "folded_row_cache.h"
#include "names_types.h"
#include "roster.h"
#include "text_folding.h"

namespace vantrel::names {

// What a drop of roster files does to a list that already has names.
enum class DropChoice { Add, Replace };

struct DropImportResult {
  std::int64_t added = 0;
  bool replaced = false;
  // Nothing happens, not even a status, when nothing was added to a kept list.
  bool changed() const { return added > 0 || replaced; }
};

enum class ReorderOutcome {
  NotAllowed,  // a search, filter or sort is in effect
  Refused,     // the dragged row is not in the list
  Unchanged,   // dropped onto its own place
  Moved,
};

struct SelectionTotals {
  std::int64_t rows = 0;
  std::int64_t photos = 0;
};

class NamesList {
 public:
  explicit NamesList(TextFolding folding = utf8FallbackFolding());

  // --- Rows ---
  const std::vector<Row>& rows() const { return rows_; }
  std::int64_t rowCount() const { return static_cast<std::int64_t>(rows_.size()); }
  bool isEmpty() const { return rows_.empty(); }
  bool isValidRow(ModelRow row) const { return row >= 0 && row < rowCount(); }
  std::uint64_t revision() const { return revision_; }
  // The case folding the list compares names with, for callers that match names ignoring case.
  const TextFolding& folding() const { return folding_; }

  // Accessors answer for rows out of range (empty text, 0, false) and setters ignore them.
  std::string_view nameForModelRow(ModelRow row) const;
  std::string_view noteForModelRow(ModelRow row) const;
  std::int64_t capturedForModelRow(ModelRow row) const;
  void setCapturedForModelRow(ModelRow row, std::int64_t count);
  // One more photo filed for the row.
  void addCaptureToModelRow(ModelRow row);
  bool markerForModelRow(ModelRow row) const;
  void setMarkerForModelRow(ModelRow row, bool marked);
  void toggleMarkerForModelRow(ModelRow row);

  // Lower-cased names occurring in two or more rows; empty names are ignored.
  const std::unordered_set<std::string>& duplicateNameSet() const;
  bool hasDuplicateName(ModelRow row) const;

  // --- Fields (see the top of this file) ---
  const std::vector<std::string>& fieldNames() const { return fieldNames_; }
  // The field's position in fieldNames(); nothing for an unknown field.
  std::optional<std::size_t> fieldIndex(std::string_view field) const;
  // The value of a field for a row: empty for an unknown field, a row out of range or a row
  // without that cell.
  std::string_view fieldValue(ModelRow row, std::string_view field) const;
  std::string_view fieldValue(ModelRow row, std::size_t fieldIndex) const;
  // Stores a value (line breaks become spaces). False, and nothing changes, for an unknown field
  // or a row out of range.
  bool setFieldValue(ModelRow row, std::string_view field, std::string_view value);
  bool setFieldValue(ModelRow row, std::size_t fieldIndex, std::string_view value);
  // Adds a field, empty for every row, after the others; when one of that name exists, nothing
  // is added. Returns its index either way. The name is trimmed; an empty one becomes "Field".
  std::size_t addField(std::string_view field);

  // --- Current person (survives filtering, even while hidden) ---
  ModelRow selectedRow() const { return selectedRow_; }
  void setSelectedRow(ModelRow row) { selectedRow_ = row; }
  // The saved row when it is in the list, else the first; kNoRow for an empty list. Rebuilds
  // the display order when there are rows.
  ModelRow selectSavedOrFirst(std::optional<std::int64_t> savedRow);

  // --- Display order ---
  const DisplayOrder& display() const { return display_; }
  void setSearchText(std::string text) { display_.setSearchText(std::move(text)); }
  CaptureFilter cycleCaptureFilter() { return display_.cycleCaptureFilter(); }
  SortMode cycleSortMode() { return display_.cycleSortMode(); }
  void applySearchFilter();
  ModelRow modelRowForDisplayRow(DisplayRow row) const {
    return display_.modelRowForDisplayRow(row);
  }
  DisplayRow displayRowForModelRow(ModelRow row) const {
    return display_.displayRowForModelRow(row);
  }
  // Photo totals over the selected display rows that map to rows with cells.
  SelectionTotals selectionTotals(const std::vector<DisplayRow>& selectedDisplayRows) const;

  // --- Whole list ---
  // Rows read from the store, with the names of the fields in their cells after the fourth.
  // The display order and current person are left to the caller.
  void replaceRows(std::vector<Row> rows, std::vector<std::string> fieldNames = {});
  // The file-picker import: the list becomes the roster (names, notes and fields); the search,
  // the display order and the current person are cleared. Returns the number of rows.
  std::int64_t importRoster(const Roster& roster);
  // Appends the roster's people (count "0"); fields of a name the list does not have yet are
  // added. Returns how many were added.
  std::int64_t appendRoster(const Roster& roster);
  // Files dropped on the table, one roster per file, in drop order. When something changed,
  // the current person becomes the first row after a replace, else the first added row.
  DropImportResult importDroppedRosters(const std::vector<Roster>& rosters, DropChoice choice);
  // The same for bare lists of names.
  std::int64_t importFirstColumn(const std::vector<std::string>& names) {
    return importRoster(Roster::ofNames(names));
  }
  std::int64_t appendFirstColumn(const std::vector<std::string>& names) {
    return appendRoster(Roster::ofNames(names));
  }
  DropImportResult importDroppedNames(const std::vector<std::vector<std::string>>& files,
                                      DropChoice choice);
  // The reset for the next job: no rows, no search, filter "all"; the sort mode stays.
  void reset();

  // --- Edits ---
  // Appends the trimmed search text as a name and makes it current; the search stays, so the
  // new row shows among the matches. kNoRow when the search text is empty.
  ModelRow addSearchTextAsRow();
  // Appends pasted names (see parsePastedRows), clears the search and makes the first pasted row
  // current. Returns the number of rows added; nothing changes when it is 0.
  std::int64_t pasteText(std::string_view text);
  // Name and note of a row for the clipboard; nothing for a row out of range.
  std::optional<std::string> copyTextForModelRow(ModelRow row) const;

  // Insert "New name" at the target (at the top when there is no target) or after it (at the
  // end when there is none). Returns the new row, which becomes current; kNoRow when the target
  // is out of range.
  ModelRow insertRowAbove(ModelRow target);
  ModelRow insertRowBelow(ModelRow target);
  // Inserts a row (name, empty note, count "0") directly below the target, as a photo move to a
  // new name does. Unlike the row-menu insertions it leaves the search, the current person and
  // the display order to the caller, which re-filters. kNoRow when the target is out of range.
  ModelRow insertNameBelow(ModelRow target, std::string_view name);
  // Removes the row; the current person becomes the row now at its place, or the last row.
  // False when the target is out of range.
  bool deleteRow(ModelRow target);
  // The common tail of row insertions, deletions and dropped imports: clears the search, makes
  // the row (limited to the last one) current and rebuilds the display order.
  ModelRow selectAfterRowMutation(ModelRow row);

  // Dropping one row onto another asks to move its photos there: both must be distinct rows.
  bool canDropRowOnto(ModelRow source, ModelRow target) const;
  // Dropping a row between display rows: the drop row is where the row lands before it is
  // taken out of its place. The moved row becomes current.
  ReorderOutcome reorderByDrop(ModelRow source, std::int64_t dropRow);

  // An in-place edit of a name: refused (false) when only white space is left, otherwise stored
  // as typed, leading and trailing spaces included.
  bool setNameFromEdit(ModelRow row, std::string_view text);
  // Each keystroke of the note field: stored as typed.
  bool setNote(ModelRow row, std::string_view text);
  // The note dialog: stored trimmed; needs a row with cells.
  bool saveNoteFromDialog(ModelRow row, std::string_view text);

 private:
  // Sets a cell, padding the row, and counts it as a change only when the text differs.
  void setCell(ModelRow row, std::size_t cell, std::string text);
  // Adds the roster's people as rows with a count cell or without (the file-picker import).
  void addRosterRows(const Roster& roster, bool withCount);
  ModelRow insertNewRowAt(std::int64_t index);
  void refreshFoldedRows() const;
  void changed() { ++revision_; }

  TextFolding folding_;
  std::vector<Row> rows_;
  std::vector<std::string> fieldNames_;
  ModelRow selectedRow_ = kNoRow;
  DisplayOrder display_;
  std::uint64_t revision_ = 0;

  mutable FoldedRowCache folded_;
  mutable std::optional<std::uint64_t> foldedRevision_;
  mutable std::unordered_set<std::string> duplicates_;
  mutable std::optional<std::uint64_t> duplicatesRevision_;
};

}  // namespace vantrel::names
