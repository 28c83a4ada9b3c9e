#include "assigned_file_names.h"

#include "yearbook_fields.h"

namespace vantrel::yearbook {

int applyAssignedFileNames(names::NamesList& list, const names::NamesList& exported,
                           const std::vector<std::pair<names::ModelRow, std::string>>& assigned,
                           std::vector<std::string>* skipped) {
  if (assigned.empty()) return 0;
  const std::size_t field = list.addField(kYearbookFileField);
  int changed = 0;
  for (const auto& [row, name] : assigned) {
    if (!list.isValidRow(row) || list.nameForModelRow(row) != exported.nameForModelRow(row)) {
      if (skipped) skipped->emplace_back(exported.nameForModelRow(row));
      continue;
    }
    if (list.fieldValue(row, field) == name) continue;
    if (list.setFieldValue(row, field, name)) ++changed;
  }
  return changed;
}

}  // namespace vantrel::yearbook
