// Where each roster column of the index takes its value from: a field of the person, a fixed
// text, or nothing.
//
// Last Name and First Name left Empty are taken from the person's list name (personNameParts):
// most rosters carry one name column only. A Fixed empty text leaves them empty for real.
#pragma once

#include <array>
#include <string>

#include "pspa_columns.h"

namespace vantrel::yearbook {

struct ColumnSource {
  enum class Kind { Field, Fixed, Empty };
  Kind kind = Kind::Empty;
  // The field's name as the list spells it (Field), or the text itself (Fixed).
  std::string value;

  static ColumnSource field(std::string name) { return {Kind::Field, std::move(name)}; }
  static ColumnSource fixed(std::string text) { return {Kind::Fixed, std::move(text)}; }
  bool operator==(const ColumnSource&) const = default;
};

// A source per column; the four columns the exporter fills (isMappedColumn) stay Empty.
class ColumnMapping {
 public:
  const ColumnSource& source(PspaColumn column) const {
    return sources_[static_cast<std::size_t>(column)];
  }
  // Ignored for a column the exporter fills.
  void setSource(PspaColumn column, ColumnSource source);
  bool operator==(const ColumnMapping&) const = default;

 private:
  std::array<ColumnSource, kPspaColumnCount> sources_;
};

}  // namespace vantrel::yearbook
