#include "roster_choice_memory.h"

#include <algorithm>
#include <charconv>

#include "csv_line.h"
#include "field_names.h"

namespace vantrel::names {

namespace {

// Header cells hardly ever hold this control character, so it keeps cells apart in a key.
constexpr char kKeySeparator = '\x1f';

std::optional<int> number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string RosterChoiceMemory::keyOf(const RosterTable& table) {
  std::string key;
  if (table.records.empty()) return key;
  for (const std::string& cell : table.records.front()) {
    if (!key.empty()) key += kKeySeparator;
    key += fieldNameKey(cell);
  }
  return key;
}

RosterChoiceMemory RosterChoiceMemory::parse(std::string_view text) {
  RosterChoiceMemory memory;
  while (!text.empty() && memory.entries_.size() < kMaxEntries) {
    const std::size_t end = text.find('\n');
    const std::vector<std::string> cells = parse_csv_line(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (cells.size() != 6) continue;
    const auto header = number(cells[0]);
    const auto join = number(cells[1]);
    const auto name = number(cells[2]);
    const auto lastName = number(cells[3]);
    const auto note = number(cells[4]);
    if (!header || !join || !name || !lastName || !note || *join < 0 || *join > 2) continue;
    memory.entries_.push_back(
        {cells[5], {*header != 0, static_cast<NameJoin>(*join), *name, *lastName, *note}});
  }
  return memory;
}

std::string RosterChoiceMemory::serialize() const {
  std::string text;
  for (const Entry& entry : entries_) {
    if (!text.empty()) text += '\n';
    const RosterChoice& c = entry.choice;
    for (int value : {c.firstRowIsHeader ? 1 : 0, static_cast<int>(c.join), c.nameColumn,
                      c.lastNameColumn, c.noteColumn})
      text += std::to_string(value) + ',';
    text += csv_escape_cell(entry.key);
  }
  return text;
}

RosterChoice RosterChoiceMemory::choiceFor(const RosterTable& table) const {
  const std::string key = keyOf(table);
  for (const Entry& entry : entries_)
    if (entry.key == key) return table.fitted(entry.choice);
  return table.defaultChoice();
}

void RosterChoiceMemory::remember(const RosterTable& table, const RosterChoice& choice) {
  const std::string key = keyOf(table);
  std::erase_if(entries_, [&](const Entry& entry) { return entry.key == key; });
  entries_.insert(entries_.begin(), {key, choice});
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

}  // namespace vantrel::names
