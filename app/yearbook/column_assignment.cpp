#include "column_assignment.h"

#include "entered_text.h"
#include "field_names.h"

namespace vantrel::yearbook {

std::variant<ColumnAssignment, std::string> parseColumnAssignment(
    std::string_view text, const std::vector<std::string>& fieldNames) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos)
    return "\"" + std::string(text) + "\" is not Column=Field, Column==Text or Column=";
  const std::string_view columnName = names::trimWhitespace(text.substr(0, equals));
  const auto column = pspaColumnNamed(columnName);
  if (!column) return "\"" + std::string(columnName) + "\" is not a column of the index";
  if (!isMappedColumn(*column))
    return "the export fills \"" + std::string(pspaColumnName(*column)) + "\" itself";

  const std::string_view rest = text.substr(equals + 1);
  if (rest.starts_with('='))
    return ColumnAssignment{*column, ColumnSource::fixed(std::string(rest.substr(1)))};
  const std::string_view field = names::trimWhitespace(rest);
  if (field.empty()) return ColumnAssignment{*column, ColumnSource{}};
  const auto index = names::findFieldName(fieldNames, field);
  if (!index) return "the list has no field \"" + std::string(field) + "\"";
  return ColumnAssignment{*column, ColumnSource::field(fieldNames[*index])};
}

std::string columnAssignmentText(PspaColumn column, const ColumnSource& source) {
  std::string text(pspaColumnName(column));
  text += '=';
  if (source.kind == ColumnSource::Kind::Fixed) text += '=';
  if (source.kind != ColumnSource::Kind::Empty) text += source.value;
  return text;
}

}  // namespace vantrel::yearbook
