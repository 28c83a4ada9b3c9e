// Builds lists for the names tests.
#pragma once

#include <string>
#include <vector>

#include "names_list.h"

namespace vantrel::names::testing {

// Rows of {name, note, count}; an empty count string leaves the count cell out.
struct TestRow {
  std::string name;
  std::string note;
  std::string count;
};

inline NamesList makeList(const std::vector<TestRow>& testRows,
                          TextFolding folding = utf8FallbackFolding()) {
  NamesList list(std::move(folding));
  std::vector<Row> rows;
  for (const auto& r : testRows)
    rows.push_back(r.count.empty() ? Row{r.name, r.note} : Row{r.name, r.note, r.count});
  list.replaceRows(std::move(rows));
  list.applySearchFilter();
  return list;
}

inline NamesList listOfNames(const std::vector<std::string>& names) {
  std::vector<TestRow> rows;
  for (const auto& name : names) rows.push_back({name, "", ""});
  return makeList(rows);
}

inline std::vector<std::string> shownNames(const NamesList& list) {
  std::vector<std::string> names;
  for (ModelRow row : list.display().displayRows()) names.emplace_back(list.nameForModelRow(row));
  return names;
}

inline std::vector<std::string> allNames(const NamesList& list) {
  std::vector<std::string> names;
  for (ModelRow row = 0; row < list.rowCount(); ++row)
    names.emplace_back(list.nameForModelRow(row));
  return names;
}

}  // namespace vantrel::names::testing
