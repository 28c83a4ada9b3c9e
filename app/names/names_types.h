// Vocabulary shared by the names list classes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::names {

// One person: name, note, photo count as decimal text, segment marker ("1" or empty), then the
// values of the list's fields. Rows may hold fewer cells; a missing cell reads as empty.
using Row = std::vector<std::string>;

// Index into the list in list order; kNoRow when there is none.
using ModelRow = std::int64_t;
// Index into the rows the table shows; kNoRow when there is none.
using DisplayRow = std::int64_t;
inline constexpr std::int64_t kNoRow = -1;

enum Cell : std::size_t { kNameCell = 0, kNoteCell = 1, kCountCell = 2, kMarkerCell = 3 };
// A row's field values follow its four cells, in the order of the list's field names.
inline constexpr std::size_t kFirstFieldCell = 4;

enum class CaptureFilter { All = 0, WithPhotos = 1, Remaining = 2 };
enum class SortMode { ListOrder = 0, Ascending = 1, Descending = 2 };

// The grid store keeps every cell; an export keeps what a spreadsheet user cares about.
enum class GridColumns { NameNoteCountMarker, NameAndNote };

}  // namespace vantrel::names
