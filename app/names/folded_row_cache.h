// Lower-cased names and search texts, kept per row so that a keystroke in the search box does
// not fold ten thousand strings again through the (possibly slow) injected lower-casing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "names_types.h"
#include "text_folding.h"

namespace vantrel::names {

class FoldedRowCache {
 public:
  // Brings the cache in line with `rows`, folding again only rows whose name or note changed.
  void refresh(const std::vector<Row>& rows, const TextFolding& folding);

  // The lower-cased name of a row (empty for a row without cells).
  const std::string& foldedName(std::size_t row) const { return entries_[row].foldedName; }
  // The lower-cased search text of a row: name, and when the row has a note cell, one space
  // and the note; then each field value that is not empty, after a separator no search text
  // holds, so that a search matches inside one field but never across two.
  const std::string& foldedHaystack(std::size_t row) const { return entries_[row].haystack; }

  // Moves whenever a name, the number of rows or their order changed at a refresh, so that
  // an ordering computed from the names knows when it is stale.
  std::uint64_t namesGeneration() const { return namesGeneration_; }

 private:
  struct Entry {
    std::string name;
    std::string note;
    bool hasNote = false;
    std::vector<std::string> fields;
    std::string foldedName;
    std::string haystack;
  };

  std::vector<Entry> entries_;
  std::uint64_t namesGeneration_ = 0;
};

}  // namespace vantrel::names
