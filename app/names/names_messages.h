// Every text the names list shows the operator: alerts, questions, statuses and the titles of
// the filter and sort states. Counts follow the house rule: no "s" for exactly one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "list_export.h"
#include "name_clashes.h"
#include "names_list.h"
#include "names_types.h"
#include "roster_table.h"

namespace vantrel::names {

struct AlertText {
  std::string title;
  std::string message;
  std::vector<std::string> buttons;  // first is the default; empty means a single "OK"
};

inline constexpr std::string_view kExportFileName = "vantrel-list.csv";
inline constexpr std::string_view kSearchPlaceholder = "Search by name...";

// Import and export.
AlertText replaceListQuestion();
AlertText importedAlert(std::int64_t names);
// "Imported 12 names." and, when the roster brought fields, how many other columns were kept.
std::string importedStatus(std::int64_t names, std::size_t fields);
// The import preview: its title for the file names, a line on how the (first) file was read,
// the titles of the ways to make a name, and what the choice gives.
std::string importPreviewTitle(const std::vector<std::string>& fileNames);
std::string importPreviewSummary(const RosterTable& table, std::size_t files);
std::string nameJoinTitle(NameJoin join);
std::string importPreviewResult(const RosterTable& table, const RosterChoice& choice);
// After an import: the names that are the same ignoring case or would share a photo folder.
AlertText nameClashesQuestion(const NamesList& list, const std::vector<NameClash>& clashes);
// buttons "Keep", "Make Unique"
std::string madeUniqueStatus(std::int64_t renamed);
// The export's choice of format, as the save dialog lists it.
std::string exportFormatTitle(ExportFormat format);
AlertText dropChoiceQuestion(std::int64_t rowsInList);  // buttons "Add", "Replace", "Cancel"
std::string droppedNamesStatus(const DropImportResult& result);
AlertText nothingToExportAlert();
std::string exportedStatus(std::int64_t rows, std::string_view fileName);
AlertText exportFailedAlert();

// Search, filter and sort.
std::string captureFilterTitle(CaptureFilter filter);
std::string captureFilterStatus(CaptureFilter filter);
std::string nameColumnTitle(SortMode mode);
std::string sortStatus(SortMode mode);

// Editing.
AlertText nothingToAddAlert();
std::string addedAndSelectedStatus(std::string_view name);
AlertText nothingToPasteAlert();
std::string pastedStatus(std::int64_t names);
std::string rowCopiedStatus();
AlertText noteDialog(std::string_view name);  // buttons "Save", "Cancel"
std::string reorderNotAllowedStatus();
std::string selectionTotalsStatus(const SelectionTotals& totals);
std::string multipleRowsNotePlaceholder();
std::string noSelectionNotePlaceholder();
std::string notePlaceholder(std::string_view name);

// Reset.
AlertText stopWatchingFirstAlert();
AlertText resetQuestion();  // buttons "Reset", "Cancel"
std::string resetCompleteStatus();

}  // namespace vantrel::names
