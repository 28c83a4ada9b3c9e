// A roster ready to enter the list: each person's name and note, and the other columns of the
// file as named fields.
#pragma once

#include <string>
#include <vector>

namespace vantrel::names {

struct RosterPerson {
  std::string name;
  std::string note;
  std::vector<std::string> fields;  // one per field name, in order
};

struct Roster {
  std::vector<std::string> fieldNames;  // unique (see field_names.h)
  std::vector<RosterPerson> people;

  // Names alone, as a paste or a bare list gives them.
  static Roster ofNames(const std::vector<std::string>& names) {
    Roster roster;
    for (const std::string& name : names) roster.people.push_back({name, {}, {}});
    return roster;
  }
};

}  // namespace vantrel::names
