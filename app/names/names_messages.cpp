#include "names_messages.h"

#include "plural.h"

namespace vantrel::names {

namespace {

std::string number(std::int64_t n) {
  return std::to_string(n);
}

}  // namespace

AlertText replaceListQuestion() {
  return {"Replace current list?",
          "Importing replaces every name and note currently in the list. Use Export first if you "
          "want to keep them.",
          {"Replace", "Cancel"}};
}

AlertText importedAlert(std::int64_t names) {
  return {"Imported " + number(names) + " name" + plural_s(names),
          "Only the FIRST COLUMN is imported (the first row is treated as a header and skipped). "
          "Other columns are ignored.\n\nExporting from Excel or Numbers? Only the first sheet of "
          "the exported CSV applies.\n\nAdd notes by double-clicking the Notes column.",
          {"OK"}};
}

std::string importedStatus(std::int64_t names) {
  return "Imported " + number(names) + " names (first column only).";
}

AlertText dropChoiceQuestion(std::int64_t rowsInList) {
  return {"Add to the list, or replace it?",
          "The list already has " + number(rowsInList) + " name" + plural_s(rowsInList) +
              ". Add the dropped names to it, or replace the whole list?",
          {"Add", "Replace", "Cancel"}};
}

std::string droppedNamesStatus(const DropImportResult& result) {
  return std::string(result.replaced ? "Replaced list with" : "Added") + " " +
         number(result.added) + " name" + plural_s(result.added) + " from dropped file.";
}

AlertText nothingToExportAlert() {
  return {"Nothing to Export", "The list is empty. Import a CSV or paste names first.", {}};
}

std::string exportedStatus(std::int64_t rows, std::string_view fileName) {
  return "Exported " + number(rows) + " rows to " + std::string(fileName) + ".";
}

AlertText exportFailedAlert() {
  return {"Export Failed",
          "Could not write the CSV file. Check the destination folder permissions.",
          {}};
}

std::string captureFilterTitle(CaptureFilter filter) {
  switch (filter) {
    case CaptureFilter::WithPhotos:
      return "Show: With Photos";
    case CaptureFilter::Remaining:
      return "Show: Remaining";
    case CaptureFilter::All:
      break;
  }
  return "Show: All";
}

std::string captureFilterStatus(CaptureFilter filter) {
  switch (filter) {
    case CaptureFilter::WithPhotos:
      return "Showing only names that have photos.";
    case CaptureFilter::Remaining:
      return "Showing only names still to shoot.";
    case CaptureFilter::All:
      break;
  }
  return "Showing all names.";
}

std::string nameColumnTitle(SortMode mode) {
  switch (mode) {
    case SortMode::Ascending:
      return "Name  \u2191";
    case SortMode::Descending:
      return "Name  \u2193";
    case SortMode::ListOrder:
      break;
  }
  return "Name";
}

std::string sortStatus(SortMode mode) {
  switch (mode) {
    case SortMode::Ascending:
      return "Sorted A \u2192 Z.";
    case SortMode::Descending:
      return "Sorted Z \u2192 A.";
    case SortMode::ListOrder:
      break;
  }
  return "Original list order.";
}

AlertText nothingToAddAlert() {
  return {"Nothing to Add", "Type a name in the search box first, then click +.", {}};
}

std::string addedAndSelectedStatus(std::string_view name) {
  return "Added and selected: " + std::string(name);
}

AlertText nothingToPasteAlert() {
  return {"Nothing to Paste",
          "The clipboard has no names. Copy one name per line (or rows from a spreadsheet), then "
          "paste again.",
          {}};
}

std::string pastedStatus(std::int64_t names) {
  return "Pasted " + number(names) + " name" + plural_s(names) + ".";
}

std::string rowCopiedStatus() {
  return "Row copied.";
}

AlertText noteDialog(std::string_view name) {
  return {"Note for \"" + std::string(name) + "\"",
          "Notes are saved with the list and included in Export.",
          {"Save", "Cancel"}};
}

std::string reorderNotAllowedStatus() {
  return "To reorder rows, set the filter to Show: All, clear the search, and use original sort "
         "order.";
}

std::string selectionTotalsStatus(const SelectionTotals& totals) {
  return "Selected: " + number(totals.rows) + " row" + plural_s(totals.rows) + " \u2014 " +
         number(totals.photos) + " photo" + plural_s(totals.photos) + " total.";
}

std::string multipleRowsNotePlaceholder() {
  return "\U0001F4DD Multiple rows selected";
}

std::string noSelectionNotePlaceholder() {
  return "\U0001F4DD Note for the selected name";
}

std::string notePlaceholder(std::string_view name) {
  return "\U0001F4DD Note for " + std::string(name) + " \u2014 type here, saves automatically";
}

AlertText stopWatchingFirstAlert() {
  return {"Stop Watching First", "Please stop watching before resetting the app state.", {}};
}

AlertText resetQuestion() {
  return {"Reset Vantrel Tether?",
          "This will clear the list (names and notes), clear the target folder selection, turn "
          "off FR/SS, reset Destination to Both, and reset the counter to 1. Use Export first if "
          "you want to keep the list.",
          {"Reset", "Cancel"}};
}

std::string resetCompleteStatus() {
  return "Reset complete.";
}

}  // namespace vantrel::names
