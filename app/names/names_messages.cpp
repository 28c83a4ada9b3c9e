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
          "The names come from the column chosen in the preview. Every other column is kept with "
          "each person: search finds it, right-click the column titles to show it, and Export "
          "writes it back.\n\nExporting from Excel or Numbers? Only the first sheet of the "
          "exported CSV applies.\n\nAdd notes by double-clicking the Notes column.",
          {"OK"}};
}

std::string importedStatus(std::int64_t names, std::size_t fields) {
  std::string status = "Imported " + number(names) + " names.";
  if (fields > 0) {
    const auto count = static_cast<std::int64_t>(fields);
    status += " " + number(count) + " other column" + plural_s(count) + " kept.";
  }
  return status;
}

std::string importPreviewTitle(const std::vector<std::string>& fileNames) {
  if (fileNames.size() == 1) return "Import \u201C" + fileNames.front() + "\u201D";
  const auto count = static_cast<std::int64_t>(fileNames.size());
  return "Import " + number(count) + " file" + plural_s(count);
}

std::string importPreviewSummary(const RosterTable& table, std::size_t files) {
  std::string delimiter = "commas";
  if (table.delimiter == ';') delimiter = "semicolons";
  if (table.delimiter == '\t') delimiter = "tabs";
  const auto rows = static_cast<std::int64_t>(table.records.size());
  const std::int64_t columns = table.columnCount();
  std::string summary = "Read as " + std::string(encodingTitle(table.encoding)) +
                        ", separated by " + delimiter + ": " + number(rows) + " row" +
                        plural_s(rows) + ", " + number(columns) + " column" + plural_s(columns) +
                        ".";
  if (files > 1) summary += " The choice below applies to every file.";
  return summary;
}

std::string nameJoinTitle(NameJoin join) {
  switch (join) {
    case NameJoin::FirstLast:
      return "Two columns: First Last";
    case NameJoin::LastFirst:
      return "Two columns: Last, First";
    case NameJoin::OneColumn:
      break;
  }
  return "One column";
}

std::string importPreviewResult(const RosterTable& table, const RosterChoice& choice) {
  constexpr std::size_t kExamples = 3;
  const Roster roster = table.roster(choice);
  const auto count = static_cast<std::int64_t>(roster.people.size());
  std::string result = number(count) + " name" + plural_s(count);
  for (std::size_t i = 0; i < roster.people.size() && i < kExamples; ++i)
    result += (i == 0 ? ": " : ", ") + roster.people[i].name;
  if (roster.people.size() > kExamples) result += ", \u2026";
  result += "\n";
  if (roster.fieldNames.empty()) return result + "No other columns.";
  result += "Also kept: ";
  for (std::size_t i = 0; i < roster.fieldNames.size(); ++i)
    result += (i == 0 ? "" : ", ") + roster.fieldNames[i];
  return result;
}

AlertText nameClashesQuestion(const NamesList& list, const std::vector<NameClash>& clashes) {
  constexpr std::size_t kShown = 8;
  const auto section = [&](bool sameIgnoringCase) {
    std::string lines;
    std::size_t listed = 0;
    std::size_t more = 0;
    for (const NameClash& clash : clashes) {
      if (clash.sameIgnoringCase != sameIgnoringCase) continue;
      if (listed == kShown) {
        ++more;
        continue;
      }
      lines += "\n\u2022 ";
      for (std::size_t i = 0; i < clash.rows.size(); ++i) {
        if (i > 0) lines += ", ";
        lines += "\u201C" + std::string(list.nameForModelRow(clash.rows[i])) + "\u201D";
      }
      if (!sameIgnoringCase) lines += " \u2192 folder \u201C" + clash.folder + "\u201D";
      ++listed;
    }
    if (more > 0) lines += "\n\u2026and " + number(static_cast<std::int64_t>(more)) + " more.";
    return lines;
  };
  std::string message;
  if (const std::string same = section(true); !same.empty())
    message += "These names are the same when letter case is ignored:" + same;
  if (const std::string folders = section(false); !folders.empty())
    message += (message.empty() ? "" : "\n\n") +
               std::string("These names would share one photo folder:") + folders;
  message +=
      "\n\nMake Unique adds a column that tells them apart, such as the class (or else a "
      "number), to the imported names. Names that were in the list before stay as they are.";
  return {"Duplicate Names", message, {"Keep", "Make Unique"}};
}

std::string madeUniqueStatus(std::int64_t renamed) {
  return "Made " + number(renamed) + " name" + plural_s(renamed) + " unique.";
}

std::string exportFormatTitle(ExportFormat format) {
  switch (format) {
    case ExportFormat::Utf8Bom:
      return "CSV for spreadsheets (UTF-8 with BOM)";
    case ExportFormat::Utf8BomSemicolons:
      return "CSV for spreadsheets, semicolons (UTF-8 with BOM, European locale)";
    case ExportFormat::Plain:
      break;
  }
  return "CSV (plain UTF-8)";
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
