#include "roster_table.h"

#include <algorithm>

#include "entered_text.h"
#include "field_names.h"
#include "row_cells.h"

namespace vantrel::names {

namespace {

bool isNoteTitle(std::string_view title) {
  return sameFieldName(title, "Notes") || sameFieldName(title, "Note");
}

std::string_view cellText(const Record& record, int column) {
  return column >= 0 ? cellOrEmpty(record, static_cast<std::size_t>(column)) : std::string_view();
}

bool isNameColumn(const RosterChoice& choice, int column) {
  return choice.join == NameJoin::OneColumn && column == choice.nameColumn;
}

}  // namespace

RosterTable RosterTable::fromBytes(std::string_view bytes) {
  RosterTable table;
  const DecodedRoster decoded = decodeRosterBytes(bytes);
  table.encoding = decoded.encoding;
  table.delimiter = detectDelimiter(decoded.text, TextSource::File).value_or(',');
  table.records = splitRecords(decoded.text, table.delimiter);
  return table;
}

int RosterTable::columnCount() const {
  std::size_t widest = 0;
  for (const Record& record : records) widest = std::max(widest, record.size());
  return static_cast<int>(widest);
}

std::string RosterTable::columnTitle(int column, bool firstRowIsHeader) const {
  if (firstRowIsHeader && !records.empty()) {
    const std::string_view title = trimWhitespace(cellText(records.front(), column));
    if (!title.empty()) return std::string(title);
  }
  return "Column " + std::to_string(column + 1);
}

RosterChoice RosterTable::defaultChoice() const {
  RosterChoice choice;
  for (int column = 1; column < columnCount(); ++column) {
    if (isNoteTitle(columnTitle(column, true))) {
      choice.noteColumn = column;
      break;
    }
  }
  return fitted(choice);
}

RosterChoice RosterTable::fitted(RosterChoice choice) const {
  const int columns = columnCount();
  const auto inside = [columns](int column) { return column >= 0 && column < columns; };
  if (!inside(choice.nameColumn)) choice.nameColumn = 0;
  if (choice.join != NameJoin::OneColumn && !inside(choice.lastNameColumn))
    choice.join = NameJoin::OneColumn;
  if (!inside(choice.noteColumn)) choice.noteColumn = kNoColumn;
  return choice;
}

RosterChoice RosterTable::adoptedFrom(const RosterChoice& choice, const RosterTable& shown) const {
  if (!choice.firstRowIsHeader) return fitted(choice);
  const auto sameTitle = [&](int column) {
    if (column < 0) return column;
    const std::string title = shown.columnTitle(column, true);
    for (int mine = 0; mine < columnCount(); ++mine)
      if (sameFieldName(columnTitle(mine, true), title)) return mine;
    return column;
  };
  RosterChoice adopted = choice;
  adopted.nameColumn = sameTitle(choice.nameColumn);
  adopted.lastNameColumn = sameTitle(choice.lastNameColumn);
  adopted.noteColumn = sameTitle(choice.noteColumn);
  return fitted(adopted);
}

std::string RosterTable::nameOf(const Record& record, const RosterChoice& choice) {
  if (choice.join == NameJoin::OneColumn) return std::string(cellText(record, choice.nameColumn));
  const std::string_view first = trimWhitespace(cellText(record, choice.nameColumn));
  const std::string_view last = trimWhitespace(cellText(record, choice.lastNameColumn));
  if (first.empty() || last.empty()) return std::string(first.empty() ? last : first);
  const bool lastFirst = choice.join == NameJoin::LastFirst;
  return std::string(lastFirst ? last : first) + (lastFirst ? ", " : " ") +
         std::string(lastFirst ? first : last);
}

Roster RosterTable::roster(const RosterChoice& choice) const {
  Roster roster;
  std::vector<int> fieldColumns;
  for (int column = 0; column < columnCount(); ++column) {
    if (isNameColumn(choice, column) || column == choice.noteColumn) continue;
    fieldColumns.push_back(column);
    roster.fieldNames.push_back(uniqueFieldName(roster.fieldNames,
                                                columnTitle(column, choice.firstRowIsHeader),
                                                "Column " + std::to_string(column + 1)));
  }
  const std::size_t first = choice.firstRowIsHeader ? 1 : 0;
  for (std::size_t i = first; i < records.size(); ++i) {
    const Record& record = records[i];
    RosterPerson person{nameOf(record, choice), {}, {}};
    if (person.name.empty()) continue;
    person.note = trimWhitespace(cellText(record, choice.noteColumn));
    for (int column : fieldColumns)
      person.fields.emplace_back(trimWhitespace(cellText(record, column)));
    roster.people.push_back(std::move(person));
  }
  return roster;
}

}  // namespace vantrel::names
