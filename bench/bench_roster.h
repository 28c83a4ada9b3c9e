// The roster the benchmarks use: long, with accents, apostrophes, notes, counts and markers.
#pragma once

#include <string>
#include <vector>

#include "grid_format.h"

inline std::vector<vantrel::names::Row> makeRoster(int count) {
  const char* first[] = {"Ann",  "Bob",   "Chloé", "Dmitri", "Eva",   "Farid", "Greta", "Hiro",
                         "Ines", "Jonas", "Kai",   "Lena",   "Mateo", "Nora",  "Oskar", "Priya"};
  const char* last[] = {"Lee",     "Müller", "O'Brien",  "Smith",  "Kowalski", "García", "Nguyen",
                        "Ivanova", "Rossi",  "Andersen", "Dubois", "Tanaka",   "Okafor"};
  std::vector<vantrel::names::Row> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    rows.push_back(
        {std::string(first[i % 16]) + " " + last[(i / 16) % 13] + " " + std::to_string(i),
         i % 5 == 0 ? "retake, \"blue\" shirt" : "", std::to_string(i % 4),
         i % 50 == 0 ? "1" : ""});
  }
  return rows;
}

// The same roster as a school office's export brings it: three more columns kept as fields
// (class, student ID, teacher) after each row's four cells.
inline const std::vector<std::string> kRosterFieldNames = {"Class", "Student ID", "Teacher"};

inline std::vector<vantrel::names::Row> makeRosterWithFields(int count) {
  const char* teachers[] = {"Mrs Okafor", "Mr Lindqvist", "Ms Dubois", "Mr Tanaka", "Mrs Rossi"};
  std::vector<vantrel::names::Row> rows = makeRoster(count);
  for (int i = 0; i < count; ++i) {
    auto& row = rows[static_cast<std::size_t>(i)];
    row.push_back(std::to_string(5 + i % 4) + static_cast<char>('a' + (i / 4) % 4));
    row.push_back("S" + std::to_string(100000 + i));
    row.push_back(teachers[(i / 16) % 5]);
  }
  return rows;
}
