// vantrel_yearbook: the yearbook package from the command line (yearbook_command_line.h), with
// the same library as the window. Exit status 0 written, 1 not written, 2 bad input.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "assigned_file_names.h"
#include "column_assignment.h"
#include "column_guess.h"
#include "grid_store.h"
#include "names_list.h"
#include "yearbook_command_line.h"
#include "yearbook_exporter.h"

namespace {

using namespace vantrel;
using namespace vantrel::yearbook;

constexpr int kWritten = 0;
constexpr int kNotWritten = 1;
constexpr int kBadInput = 2;

int badInput(const std::string& message) {
  std::cerr << "vantrel_yearbook: " << message << "\n";
  return kBadInput;
}

bool isBadInput(YearbookError error) {
  switch (error) {
    case YearbookError::BadVolumeName:
    case YearbookError::NoTargetFolder:
    case YearbookError::NoOutputFolder:
    case YearbookError::PackageInTarget:
    case YearbookError::PackageExists:
    case YearbookError::NoPeople:
      return true;
    default:
      return false;
  }
}

void printMapping(const ColumnMapping& mapping) {
  std::cout << "Index columns from the list:\n";
  for (PspaColumn column : kPspaColumns) {
    if (!isMappedColumn(column)) continue;
    const ColumnSource& source = mapping.source(column);
    const bool fromName = source.kind == ColumnSource::Kind::Empty &&
                          (column == PspaColumn::LastName || column == PspaColumn::FirstName);
    std::cout << "  " << columnAssignmentText(column, source)
              << (fromName ? "   (from the list name)" : "") << "\n";
  }
}

// Stores the new file names in a fresh read of the store, so that nothing else in it changes; a
// row that no longer holds the same person is left alone.
bool storeFileNames(const std::filesystem::path& path, const names::NamesList& exported,
                    const YearbookResult& result) {
  names::NamesList list;
  names::GridStore store(path);
  store.loadGridFromDisk(list);
  std::vector<std::string> skipped;
  const int changed = applyAssignedFileNames(list, exported, result.assignedFileNames, &skipped);
  for (const std::string& name : skipped)
    std::cerr << "vantrel_yearbook: warning: the store changed; \"" << name
              << "\" keeps no file name\n";
  if (changed == 0) return true;
  return names::GridStore::writeGridToPath(
      path, list.rows(), names::GridColumns::NameNoteCountMarker, list.fieldNames());
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = parseYearbookCommand(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* message = std::get_if<std::string>(&parsed)) {
    std::cerr << "vantrel_yearbook: " << *message << "\n\n" << yearbookUsage();
    return kBadInput;
  }
  const YearbookCommand& command = std::get<YearbookCommand>(parsed);
  if (command.help) {
    std::cout << yearbookUsage();
    return kWritten;
  }

  std::error_code error;
  if (!std::filesystem::is_regular_file(command.store, error))
    return badInput("the store " + command.store.native() + " is not a file");
  names::NamesList list;
  names::GridStore store(command.store);
  if (!store.loadGridFromDisk(list))
    return badInput("the store " + command.store.native() + " holds no names");

  YearbookOptions options;
  options.volumeName = command.volume;
  options.size = command.size;
  options.copyright = command.copyright;
  options.replace = command.replace;
  options.requireAll = command.requireAll;
  options.mapping = guessColumnMapping(list.fieldNames());
  for (const std::string& text : command.maps) {
    const auto assignment = parseColumnAssignment(text, list.fieldNames());
    if (const auto* message = std::get_if<std::string>(&assignment))
      return badInput("--map " + text + ": " + *message);
    const auto& [column, source] = std::get<ColumnAssignment>(assignment);
    options.mapping.setSource(column, source);
  }
  printMapping(options.mapping);

  const YearbookResult result = exportYearbook(list, command.target, command.out, options);
  if (!result.ok()) {
    std::cerr << "vantrel_yearbook: " << result.message << "\n";
    return isBadInput(result.error) ? kBadInput : kNotWritten;
  }
  for (const MissingPortrait& person : result.missing)
    std::cerr << "vantrel_yearbook: warning: no portrait for \"" << person.name
              << "\": " << missingReasonText(person) << "\n";
  const std::filesystem::path package = command.out / command.volume;
  std::cout << "Wrote " << result.exported << " portrait" << (result.exported == 1 ? "" : "s")
            << " to " << package.native() << "; " << result.missing.size()
            << " without a portrait.\n";
  if (!storeFileNames(command.store, list, result)) {
    std::cerr << "vantrel_yearbook: the package is written, but the store "
              << command.store.native()
              << " could not be updated with its file names; the next package may name "
                 "portraits differently\n";
    return kNotWritten;
  }
  return kWritten;
}
