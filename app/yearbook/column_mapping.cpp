#include "column_mapping.h"

namespace vantrel::yearbook {

void ColumnMapping::setSource(PspaColumn column, ColumnSource source) {
  if (isMappedColumn(column)) sources_[static_cast<std::size_t>(column)] = std::move(source);
}

}  // namespace vantrel::yearbook
