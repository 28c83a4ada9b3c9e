// Folder suffix tags: toggles that append a suffix such as "_FR" to the person's folder name,
// so that a capture round lands in folders of its own. At most five; stored in the settings.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::filing {

inline constexpr std::size_t kMaxSuffixTags = 5;

struct SuffixTag {
  std::string label;   // the button title, never empty
  std::string suffix;  // appended as typed (trimmed), may be empty
  bool on = false;
};

// One element of the stored array as the settings layer read it, whatever its shape.
struct StoredSuffixTag {
  bool isRecord = true;               // false when the element is not a dictionary
  std::optional<std::string> label;   // absent, or not text
  std::optional<std::string> suffix;  // absent, or not text
  bool on = false;                    // "on" read as a boolean; false when absent
};

// One row of the edit dialog, as typed.
struct SuffixTagEditRow {
  std::string label;
  std::string suffix;
};

class SuffixTags {
 public:
  SuffixTags() = default;
  explicit SuffixTags(std::vector<SuffixTag> tags);

  // Keeps the records with a non-empty label, in order, then the first five. A missing suffix
  // reads as empty. Malformed elements are skipped, never reported.
  static SuffixTags fromStored(const std::vector<StoredSuffixTag>& stored);
  std::vector<StoredSuffixTag> toStored() const;

  const std::vector<SuffixTag>& tags() const { return tags_; }

  // The suffixes of the tags that are on, in tag order, without separator.
  std::string enabledSuffixString() const;

  // A tag button was toggled. False for an index that names no tag.
  bool setOn(std::size_t index, bool on);
  // The reset for the next job: the tags stay, all off.
  void turnAllOff();

  // The edit dialog's Save, rows top to bottom (only the first five count). Labels and
  // suffixes are trimmed; a row with an empty label is dropped. The on state goes with the row,
  // not the label: row i keeps the state of the old tag i. Nothing left gives FR/_FR, off.
  void replaceFromEditRows(const std::vector<SuffixTagEditRow>& rows);

 private:
  std::vector<SuffixTag> tags_;
};

}  // namespace vantrel::filing
