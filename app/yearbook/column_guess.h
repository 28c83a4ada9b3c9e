// The mapping a roster's field names suggest, shown to the operator before an export.
//
// A field is taken for a column when its name, compared as columnNameKey does (letter case,
// spaces, '_', '-', '.' and accents ignored), is one of the column's names in English, German,
// French, Spanish or Dutch, e.g. Last Name: "Last Name", "Surname", "Nachname", "Nom",
// "Apellido", "Achternaam"; Teacher Name: "Teacher", "Lehrer", "Enseignant", "Profesor",
// "Leraar". Each column takes the field of its most specific name ("Teacher Name" before
// "Teacher"); a field serves one column at most; the package's own fields ("Yearbook Photo",
// "Yearbook File") serve none. Columns without a field stay Empty.
#pragma once

#include <string>
#include <vector>

#include "column_mapping.h"

namespace vantrel::yearbook {

ColumnMapping guessColumnMapping(const std::vector<std::string>& fieldNames);

}  // namespace vantrel::yearbook
