// A person's row of the index, as far as the roster fills it (Grade to Title): each column from
// its source in the mapping, Last Name and First Name left Empty from the list name
// (personNameParts). The four columns the exporter fills stay empty here.
#pragma once

#include "column_mapping.h"
#include "index_file.h"
#include "names_list.h"

namespace vantrel::yearbook {

IndexRecord personIndexRecord(const names::NamesList& list, names::ModelRow row,
                              const ColumnMapping& mapping);

}  // namespace vantrel::yearbook
