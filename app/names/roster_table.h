// A roster file as read, before any column is chosen: how it was encoded and delimited, and its
// records (the first may be a header), and the choice of the columns that make the list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "delimited_text.h"
#include "roster.h"
#include "roster_encoding.h"

namespace vantrel::names {

enum class NameJoin {
  OneColumn,  // the name is one column's cell, exactly as written
  FirstLast,  // two columns joined: "First Last"
  LastFirst,  // two columns joined: "Last, First"
};

inline constexpr int kNoColumn = -1;

// What the import preview asks. Columns count from 0.
struct RosterChoice {
  bool firstRowIsHeader = true;
  NameJoin join = NameJoin::OneColumn;
  int nameColumn = 0;      // the name, or with two columns the first name
  int lastNameColumn = 1;  // with two columns only
  int noteColumn = kNoColumn;

  bool operator==(const RosterChoice&) const = default;
};

struct RosterTable {
  RosterEncoding encoding = RosterEncoding::Utf8;
  char delimiter = ',';
  std::vector<Record> records;

  // Decodes the bytes (roster_encoding.h), detects the delimiter (comma when in doubt) and splits
  // the records (delimited_text.h).
  static RosterTable fromBytes(std::string_view bytes);

  // The widest record's number of cells.
  int columnCount() const;
  // A column's title: its header cell, trimmed, when the first row is a header and the cell is
  // not empty; otherwise "Column N", counting from 1.
  std::string columnTitle(int column, bool firstRowIsHeader) const;

  // The Part's default: a header, the name from the first column; a column titled "Notes" or
  // "Note" (as the export writes) is the note.
  RosterChoice defaultChoice() const;
  // The choice with every column inside this table: a name column that is not becomes the
  // first, a missing last-name column makes the name one column, a missing note column no note.
  RosterChoice fitted(RosterChoice choice) const;
  // A choice made on `shown`, for this file (several files dropped at once get one preview):
  // with a header, each chosen column is found again by its title; otherwise by its position.
  RosterChoice adoptedFrom(const RosterChoice& choice, const RosterTable& shown) const;

  // A record's name under the choice. Two columns are joined from their trimmed cells; when one
  // is empty the other stands alone.
  static std::string nameOf(const Record& record, const RosterChoice& choice);
  // The people of the table under the choice: records without a name (blank lines included) and
  // the header are left out. Every column but the name and the note is kept as a field named by
  // its title; with two columns the first- and last-name columns are kept too. Notes and fields
  // are trimmed.
  Roster roster(const RosterChoice& choice) const;
};

}  // namespace vantrel::names
