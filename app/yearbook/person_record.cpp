#include "person_record.h"

#include "person_name_parts.h"

namespace vantrel::yearbook {

IndexRecord personIndexRecord(const names::NamesList& list, names::ModelRow row,
                              const ColumnMapping& mapping) {
  IndexRecord record;
  const PersonNameParts parts = personNameParts(list.nameForModelRow(row));
  for (PspaColumn column : kPspaColumns) {
    if (!isMappedColumn(column)) continue;
    const ColumnSource& source = mapping.source(column);
    std::string value;
    if (source.kind == ColumnSource::Kind::Field)
      value = list.fieldValue(row, source.value);
    else if (source.kind == ColumnSource::Kind::Fixed)
      value = source.value;
    else if (column == PspaColumn::LastName)
      value = parts.last;
    else if (column == PspaColumn::FirstName)
      value = parts.first;
    record[static_cast<std::size_t>(column)] = indexCell(value);
  }
  return record;
}

}  // namespace vantrel::yearbook
