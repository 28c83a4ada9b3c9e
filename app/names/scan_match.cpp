#include "scan_match.h"

#include <algorithm>

#include "text_folding.h"

namespace vantrel::names {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Compares a cell with a code already trimmed and lowered. A scanner's codes are ASCII, and an
// ASCII code can only equal a cell of its own length, which keeps a scan over a long list cheap.
class ScanCode {
 public:
  explicit ScanCode(std::string_view code)
      : ascii_(isAscii(code)), lowered_(ascii_ ? std::string(code) : utf8FallbackLower(code)) {
    if (ascii_) std::transform(lowered_.begin(), lowered_.end(), lowered_.begin(), asciiLower);
  }
  bool matches(std::string_view cell) const {
    cell = trimmed(cell);
    if (ascii_) {
      return cell.size() == lowered_.size() &&
             std::equal(cell.begin(), cell.end(), lowered_.begin(),
                        [](char a, char b) { return asciiLower(a) == b; });
    }
    return utf8FallbackLower(cell) == lowered_;
  }

 private:
  bool ascii_;
  std::string lowered_;
};

}  // namespace

std::vector<ModelRow> rowsMatchingScan(const NamesList& list, std::string_view code,
                                       std::size_t limit) {
  std::vector<ModelRow> rows;
  code = trimmed(code);
  if (code.empty() || limit == 0) return rows;
  const ScanCode wanted(code);
  const std::size_t fields = list.fieldNames().size();
  for (ModelRow row = 0; row < list.rowCount(); ++row) {
    bool match =
        wanted.matches(list.nameForModelRow(row)) || wanted.matches(list.noteForModelRow(row));
    for (std::size_t field = 0; !match && field < fields; ++field) {
      match = wanted.matches(list.fieldValue(row, field));
    }
    if (!match) continue;
    rows.push_back(row);
    if (rows.size() == limit) break;
  }
  return rows;
}

std::string scanSelectedStatus(std::string_view name) {
  return "Selected " + std::string(name) + ".";
}

std::string scanNoMatchStatus(std::string_view code) {
  return "No one in the list has \u201c" + std::string(trimmed(code)) + "\u201d.";
}

std::string scanSeveralStatus(std::string_view code) {
  return "Several people have \u201c" + std::string(trimmed(code)) + "\u201d: nobody was selected.";
}

}  // namespace vantrel::names
