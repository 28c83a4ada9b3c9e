// Case folding and name ordering, injected by the application.
//
// Names come in any script and the standard library folds ASCII only, so the application hands
// in its own functions (in the Qt build: QString::toLower and a case-insensitive QCollator).
// The fallback covers ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic, which is enough
// for the library's own tests and tools.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::names {

struct TextFolding {
  // UTF-8 in, lower-cased UTF-8 out. Used by search and by duplicate detection.
  std::function<std::string(std::string_view)> lower;
  // Locale-aware, case-insensitive: negative, zero or positive like strcmp. Must be a strict
  // weak ordering; names that compare equal keep list order when sorted.
  std::function<int(std::string_view, std::string_view)> compare;
};

// Plain UTF-8 folding that needs nothing beyond the standard library. Bytes that are not valid
// UTF-8 pass through unchanged.
TextFolding utf8FallbackFolding();

std::string utf8FallbackLower(std::string_view text);
int utf8FallbackCompare(std::string_view a, std::string_view b);

// A name cut into its runs of valid UTF-8 and its single bytes that are not UTF-8, in order, for
// folding functions that must keep such bytes as they are.
struct Utf8Piece {
  std::string_view bytes;
  bool valid = true;
};
std::vector<Utf8Piece> utf8Pieces(std::string_view text);

}  // namespace vantrel::names
