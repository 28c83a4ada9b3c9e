#include "names_list.h"

#include <algorithm>

#include "entered_text.h"
#include "field_names.h"
#include "pasted_rows.h"
#include "row_cells.h"

namespace vantrel::names {

namespace {

constexpr std::string_view kNewRowName = "New name";

// Names, notes and fields never hold line breaks: the store is read line by line.
void removeLineBreaks(Row& row) {
  for (std::string& cell : row)
    if (cell.find_first_of("\r\n") != std::string::npos) cell = withoutLineBreaks(cell);
}

}  // namespace

NamesList::NamesList(TextFolding folding) : folding_(std::move(folding)) {}

// --- Rows ---

std::string_view NamesList::nameForModelRow(ModelRow row) const {
  return isValidRow(row) ? cellOrEmpty(rows_[row], kNameCell) : std::string_view();
}

std::string_view NamesList::noteForModelRow(ModelRow row) const {
  return isValidRow(row) ? cellOrEmpty(rows_[row], kNoteCell) : std::string_view();
}

std::int64_t NamesList::capturedForModelRow(ModelRow row) const {
  return isValidRow(row) ? countFromCell(cellOrEmpty(rows_[row], kCountCell)) : 0;
}

void NamesList::setCapturedForModelRow(ModelRow row, std::int64_t count) {
  if (isValidRow(row)) setCell(row, kCountCell, countCellText(count));
}

void NamesList::addCaptureToModelRow(ModelRow row) {
  setCapturedForModelRow(row, capturedForModelRow(row) + 1);
}

bool NamesList::markerForModelRow(ModelRow row) const {
  return isValidRow(row) && cellOrEmpty(rows_[row], kMarkerCell) == "1";
}

void NamesList::setMarkerForModelRow(ModelRow row, bool marked) {
  if (isValidRow(row)) setCell(row, kMarkerCell, marked ? "1" : "");
}

void NamesList::toggleMarkerForModelRow(ModelRow row) {
  setMarkerForModelRow(row, !markerForModelRow(row));
}

void NamesList::setCell(ModelRow row, std::size_t cell, std::string text) {
  Row& target = rows_[row];
  // A missing cell reads as empty, so writing the empty string there changes nothing.
  if (cellOrEmpty(target, cell) == text) return;
  padRowToCell(target, cell);
  target[cell] = std::move(text);
  changed();
}

void NamesList::refreshFoldedRows() const {
  if (foldedRevision_ == revision_) return;
  folded_.refresh(rows_, folding_);
  foldedRevision_ = revision_;
}

const std::unordered_set<std::string>& NamesList::duplicateNameSet() const {
  if (duplicatesRevision_ == revision_) return duplicates_;
  refreshFoldedRows();
  std::unordered_set<std::string_view> seen;
  seen.reserve(rows_.size());
  duplicates_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (cellOrEmpty(rows_[i], kNameCell).empty()) continue;
    const std::string& folded = folded_.foldedName(i);
    if (!seen.insert(folded).second) duplicates_.insert(folded);
  }
  duplicatesRevision_ = revision_;
  return duplicates_;
}

bool NamesList::hasDuplicateName(ModelRow row) const {
  if (!isValidRow(row) || nameForModelRow(row).empty()) return false;
  const auto& duplicates = duplicateNameSet();
  return duplicates.contains(folded_.foldedName(static_cast<std::size_t>(row)));
}

// --- Fields ---

std::optional<std::size_t> NamesList::fieldIndex(std::string_view field) const {
  return findFieldName(fieldNames_, field);
}

std::string_view NamesList::fieldValue(ModelRow row, std::string_view field) const {
  const auto index = fieldIndex(field);
  return index ? fieldValue(row, *index) : std::string_view();
}

std::string_view NamesList::fieldValue(ModelRow row, std::size_t fieldIndex) const {
  if (!isValidRow(row) || fieldIndex >= fieldNames_.size()) return {};
  return cellOrEmpty(rows_[row], kFirstFieldCell + fieldIndex);
}

bool NamesList::setFieldValue(ModelRow row, std::string_view field, std::string_view value) {
  const auto index = fieldIndex(field);
  return index && setFieldValue(row, *index, value);
}

bool NamesList::setFieldValue(ModelRow row, std::size_t fieldIndex, std::string_view value) {
  if (!isValidRow(row) || fieldIndex >= fieldNames_.size()) return false;
  // A row short of its count cell gets "0" there, as the store would write it.
  if (Row& target = rows_[row]; target.size() <= kCountCell && !value.empty()) {
    padRowToCell(target, kCountCell);
    target[kCountCell].push_back('0');  // newly padded, so empty
  }
  setCell(row, kFirstFieldCell + fieldIndex, withoutLineBreaks(value));
  return true;
}

std::size_t NamesList::addField(std::string_view field) {
  if (const auto existing = fieldIndex(trimWhitespace(field).empty() ? "Field" : field))
    return *existing;
  fieldNames_.push_back(uniqueFieldName(fieldNames_, field, "Field"));
  changed();
  return fieldNames_.size() - 1;
}

// --- Current person and display order ---

ModelRow NamesList::selectSavedOrFirst(std::optional<std::int64_t> savedRow) {
  if (rows_.empty()) return selectedRow_ = kNoRow;
  selectedRow_ = savedRow && isValidRow(*savedRow) ? *savedRow : 0;
  applySearchFilter();
  return selectedRow_;
}

void NamesList::applySearchFilter() {
  refreshFoldedRows();
  display_.rebuild(rows_, folded_, folding_);
}

SelectionTotals NamesList::selectionTotals(
    const std::vector<DisplayRow>& selectedDisplayRows) const {
  SelectionTotals totals;
  for (DisplayRow displayRow : selectedDisplayRows) {
    const ModelRow row = modelRowForDisplayRow(displayRow);
    if (!isValidRow(row) || rows_[row].empty()) continue;
    ++totals.rows;
    totals.photos += capturedForModelRow(row);
  }
  return totals;
}

// --- Whole list ---

void NamesList::replaceRows(std::vector<Row> rows, std::vector<std::string> fieldNames) {
  for (Row& row : rows) removeLineBreaks(row);
  rows_ = std::move(rows);
  fieldNames_.clear();
  for (const std::string& name : fieldNames)
    fieldNames_.push_back(uniqueFieldName(fieldNames_, name, "Field"));
  // Display rows would point at the old list; the caller re-filters and re-selects.
  display_.clearRows();
  changed();
}

void NamesList::addRosterRows(const Roster& roster, bool withCount) {
  // A file without people brings no fields either.
  if (roster.people.empty()) return;
  // Where each of the roster's fields goes among the list's.
  std::vector<std::size_t> slots;
  for (const std::string& name : roster.fieldNames) slots.push_back(addField(name));
  for (const RosterPerson& person : roster.people) {
    Row row{withoutLineBreaks(person.name), withoutLineBreaks(person.note)};
    if (withCount || !slots.empty()) row.emplace_back("0");
    for (std::size_t i = 0; i < slots.size() && i < person.fields.size(); ++i) {
      if (person.fields[i].empty()) continue;
      padRowToCell(row, kFirstFieldCell + slots[i]);
      row[kFirstFieldCell + slots[i]] = withoutLineBreaks(person.fields[i]);
    }
    rows_.push_back(std::move(row));
  }
  changed();
}

std::int64_t NamesList::importRoster(const Roster& roster) {
  rows_.clear();
  fieldNames_.clear();
  display_.clearRows();
  display_.setSearchText({});
  selectedRow_ = kNoRow;
  addRosterRows(roster, false);
  changed();
  return rowCount();
}

std::int64_t NamesList::appendRoster(const Roster& roster) {
  addRosterRows(roster, true);
  return static_cast<std::int64_t>(roster.people.size());
}

DropImportResult NamesList::importDroppedNames(const std::vector<std::vector<std::string>>& files,
                                               DropChoice choice) {
  std::vector<Roster> rosters;
  for (const auto& names : files) rosters.push_back(Roster::ofNames(names));
  return importDroppedRosters(rosters, choice);
}

DropImportResult NamesList::importDroppedRosters(const std::vector<Roster>& rosters,
                                                 DropChoice choice) {
  DropImportResult result;
  if (choice == DropChoice::Replace) {
    rows_.clear();
    fieldNames_.clear();
    display_.clearRows();
    selectedRow_ = kNoRow;
    result.replaced = true;
    changed();
  }
  const std::int64_t before = rowCount();
  for (const Roster& roster : rosters) appendRoster(roster);
  result.added = rowCount() - before;
  if (!result.changed()) return result;

  selectAfterRowMutation(rows_.empty() ? kNoRow : result.replaced ? 0 : before);
  return result;
}

void NamesList::reset() {
  rows_.clear();
  fieldNames_.clear();
  display_.clearRows();
  display_.setSearchText({});
  display_.setCaptureFilter(CaptureFilter::All);
  selectedRow_ = kNoRow;
  changed();
}

// --- Edits ---

ModelRow NamesList::addSearchTextAsRow() {
  const std::string_view text = trimWhitespace(display_.searchText());
  if (text.empty()) return kNoRow;
  rows_.push_back({withoutLineBreaks(text), ""});
  selectedRow_ = rowCount() - 1;
  changed();
  applySearchFilter();
  return selectedRow_;
}

std::int64_t NamesList::pasteText(std::string_view text) {
  const std::vector<PastedRow> pasted = parsePastedRows(text);
  if (pasted.empty()) return 0;
  const ModelRow first = rowCount();
  for (const PastedRow& row : pasted) rows_.push_back({row.name, row.note});
  display_.setSearchText({});
  selectedRow_ = first;
  changed();
  applySearchFilter();
  return static_cast<std::int64_t>(pasted.size());
}

std::optional<std::string> NamesList::copyTextForModelRow(ModelRow row) const {
  if (!isValidRow(row)) return std::nullopt;
  return copiedRowText(nameForModelRow(row), noteForModelRow(row));
}

ModelRow NamesList::insertNewRowAt(std::int64_t index) {
  rows_.insert(rows_.begin() + index, Row{std::string(kNewRowName), "", "0"});
  changed();
  return selectAfterRowMutation(index);
}

ModelRow NamesList::insertRowAbove(ModelRow target) {
  if (target == kNoRow) return insertNewRowAt(0);
  return isValidRow(target) ? insertNewRowAt(target) : kNoRow;
}

ModelRow NamesList::insertRowBelow(ModelRow target) {
  if (target == kNoRow) return insertNewRowAt(rowCount());
  return isValidRow(target) ? insertNewRowAt(target + 1) : kNoRow;
}

ModelRow NamesList::insertNameBelow(ModelRow target, std::string_view name) {
  if (!isValidRow(target)) return kNoRow;
  rows_.insert(rows_.begin() + target + 1, Row{withoutLineBreaks(name), "", "0"});
  changed();
  return target + 1;
}

bool NamesList::deleteRow(ModelRow target) {
  if (!isValidRow(target)) return false;
  rows_.erase(rows_.begin() + target);
  changed();
  selectAfterRowMutation(std::min(target, rowCount() - 1));
  return true;
}

ModelRow NamesList::selectAfterRowMutation(ModelRow row) {
  display_.setSearchText({});
  selectedRow_ = rows_.empty() ? kNoRow : std::min(row, rowCount() - 1);
  applySearchFilter();
  return selectedRow_;
}

bool NamesList::canDropRowOnto(ModelRow source, ModelRow target) const {
  return isValidRow(source) && isValidRow(target) && source != target;
}

ReorderOutcome NamesList::reorderByDrop(ModelRow source, std::int64_t dropRow) {
  if (!display_.canReorderRows()) return ReorderOutcome::NotAllowed;
  if (!isValidRow(source)) return ReorderOutcome::Refused;
  const std::int64_t destination = std::clamp(dropRow, std::int64_t{0}, rowCount());
  if (destination == source || destination == source + 1) return ReorderOutcome::Unchanged;

  // Taking the row out first shifts every later row up by one.
  const auto from = rows_.begin() + source;
  if (destination > source) {
    std::rotate(from, from + 1, rows_.begin() + destination);
    selectedRow_ = destination - 1;
  } else {
    std::rotate(rows_.begin() + destination, from, from + 1);
    selectedRow_ = destination;
  }
  changed();
  applySearchFilter();
  return ReorderOutcome::Moved;
}

bool NamesList::setNameFromEdit(ModelRow row, std::string_view text) {
  if (!isValidRow(row) || trimWhitespace(text).empty()) return false;
  setCell(row, kNameCell, withoutLineBreaks(text));
  return true;
}

bool NamesList::setNote(ModelRow row, std::string_view text) {
  if (!isValidRow(row)) return false;
  setCell(row, kNoteCell, withoutLineBreaks(text));
  return true;
}

bool NamesList::saveNoteFromDialog(ModelRow row, std::string_view text) {
  if (!isValidRow(row) || rows_[row].empty()) return false;
  return setNote(row, trimWhitespace(text));
}

}  // namespace vantrel::names
