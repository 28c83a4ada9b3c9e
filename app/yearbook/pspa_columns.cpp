#include "pspa_columns.h"

#include "ascii_name.h"

namespace vantrel::yearbook {

namespace {

constexpr std::array<std::string_view, kPspaColumnCount> kNames = {
    "Volume Name", "Image Folder", "Image File Name", "Grade",        "Last Name",
    "First Name",  "Home Room",    "Period",          "Teacher Name", "Track",
    "Department",  "Title",        "Image Size"};

}  // namespace

std::string_view pspaColumnName(PspaColumn column) {
  return kNames[static_cast<std::size_t>(column)];
}

bool isMappedColumn(PspaColumn column) {
  return column != PspaColumn::VolumeName && column != PspaColumn::ImageFolder &&
         column != PspaColumn::ImageFileName && column != PspaColumn::ImageSize;
}

std::optional<PspaColumn> pspaColumnNamed(std::string_view name) {
  const std::string key = columnNameKey(name);
  for (PspaColumn column : kPspaColumns)
    if (columnNameKey(pspaColumnName(column)) == key) return column;
  return std::nullopt;
}

}  // namespace vantrel::yearbook
