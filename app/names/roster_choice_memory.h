// The column choices of earlier imports, remembered by the file's first row (its header names),
// so that next week's export of the same class list opens the preview as it was left.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "roster_table.h"

namespace vantrel::names {

class RosterChoiceMemory {
 public:
  // The memory as `serialize` wrote it; lines that do not read as a choice are skipped.
  static RosterChoiceMemory parse(std::string_view text);
  // One CSV line per choice, most recent first.
  std::string serialize() const;

  // The choice last made for a file whose first row reads the same (cells trimmed, ASCII case
  // ignored), fitted to the table; otherwise the table's default.
  RosterChoice choiceFor(const RosterTable& table) const;
  // Remembers the choice under the table's first row, replacing an older one for the same row.
  // Only the most recent kMaxEntries are kept.
  void remember(const RosterTable& table, const RosterChoice& choice);

  static constexpr std::size_t kMaxEntries = 40;

 private:
  struct Entry {
    std::string key;
    RosterChoice choice;
  };
  static std::string keyOf(const RosterTable& table);

  std::vector<Entry> entries_;
};

}  // namespace vantrel::names
