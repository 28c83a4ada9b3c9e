#include "name_clashes.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "entered_text.h"

namespace vantrel::names {

namespace {

// Rows linked by a shared key end up with one root.
class RowGroups {
 public:
  explicit RowGroups(std::size_t rows) : parent_(rows) {
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
  }
  std::size_t root(std::size_t row) {
    while (parent_[row] != row) row = parent_[row] = parent_[parent_[row]];
    return row;
  }
  void link(std::size_t a, std::size_t b) { parent_[root(a)] = root(b); }

 private:
  std::vector<std::size_t> parent_;
};

// The names and folders already in use, so that no new name collides with any of them.
class TakenNames {
 public:
  TakenNames(const NamesList& list, const FolderNaming& folderName)
      : list_(list), folderName_(folderName) {
    for (ModelRow row = 0; row < list.rowCount(); ++row) add(list.nameForModelRow(row));
  }
  bool contains(std::string_view name) const {
    return folded_.contains(list_.folding().lower(name)) || folders_.contains(folderName_(name));
  }
  void add(std::string_view name) {
    folded_.insert(list_.folding().lower(name));
    folders_.insert(folderName_(name));
  }

 private:
  const NamesList& list_;
  const FolderNaming& folderName_;
  std::unordered_set<std::string> folded_;
  std::unordered_set<std::string> folders_;
};

std::string withSuffix(std::string_view name, std::string_view suffix) {
  std::string result(name);
  result += ' ';
  result += suffix;
  return result;
}

// New names for `rows` from one field, or nothing when the field leaves a row empty or two rows
// (or a row and a name in use) alike.
std::optional<std::vector<std::string>> namesFromField(const NamesList& list,
                                                       const std::vector<ModelRow>& rows,
                                                       std::size_t field, const TakenNames& taken,
                                                       const FolderNaming& folderName) {
  std::vector<std::string> names;
  std::unordered_set<std::string> folded;
  std::unordered_set<std::string> folders;
  for (ModelRow row : rows) {
    const std::string_view value = trimWhitespace(list.fieldValue(row, field));
    if (value.empty()) return std::nullopt;
    std::string name = withSuffix(list.nameForModelRow(row), value);
    if (taken.contains(name) || !folded.insert(list.folding().lower(name)).second ||
        !folders.insert(folderName(name)).second)
      return std::nullopt;
    names.push_back(std::move(name));
  }
  return names;
}

// Fields in the order they are tried: fewest different values first (a class before an ID).
std::vector<std::size_t> fieldsByVariety(const NamesList& list) {
  std::vector<std::pair<std::size_t, std::size_t>> variety;
  for (std::size_t field = 0; field < list.fieldNames().size(); ++field) {
    std::unordered_set<std::string_view> values;
    for (ModelRow row = 0; row < list.rowCount(); ++row) values.insert(list.fieldValue(row, field));
    variety.emplace_back(values.size(), field);
  }
  std::stable_sort(variety.begin(), variety.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::size_t> fields;
  for (const auto& [count, field] : variety) fields.push_back(field);
  return fields;
}

}  // namespace

std::vector<NameClash> findNameClashes(const NamesList& list, ModelRow firstImported,
                                       const FolderNaming& folderName) {
  const auto rowCount = static_cast<std::size_t>(list.rowCount());
  RowGroups groups(rowCount);
  std::vector<std::string> folded(rowCount);
  std::vector<std::string> folders(rowCount);
  std::unordered_map<std::string, std::size_t> byFolded;
  std::unordered_map<std::string, std::size_t> byFolder;
  for (std::size_t row = 0; row < rowCount; ++row) {
    const std::string_view name = list.nameForModelRow(static_cast<ModelRow>(row));
    if (name.empty()) continue;
    folded[row] = list.folding().lower(name);
    folders[row] = folderName(name);
    groups.link(row, byFolded.try_emplace(folded[row], row).first->second);
    groups.link(row, byFolder.try_emplace(folders[row], row).first->second);
  }

  std::map<std::size_t, std::vector<ModelRow>> members;  // by root
  for (std::size_t row = 0; row < rowCount; ++row)
    if (!folded[row].empty() || !folders[row].empty())
      members[groups.root(row)].push_back(static_cast<ModelRow>(row));

  std::vector<NameClash> clashes;
  for (auto& [root, rows] : members) {
    if (rows.size() < 2 || rows.back() < firstImported) continue;
    NameClash clash;
    clash.rows = std::move(rows);
    const std::string& firstFolded = folded[clash.rows.front()];
    clash.sameIgnoringCase = std::all_of(clash.rows.begin(), clash.rows.end(),
                                         [&](ModelRow row) { return folded[row] == firstFolded; });
    std::map<std::string, std::size_t> folderCounts;
    for (ModelRow row : clash.rows) ++folderCounts[folders[row]];
    clash.folder =
        std::max_element(folderCounts.begin(), folderCounts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; })
            ->first;
    clashes.push_back(std::move(clash));
  }
  std::sort(clashes.begin(), clashes.end(),
            [](const NameClash& a, const NameClash& b) { return a.rows.front() < b.rows.front(); });
  return clashes;
}

std::int64_t makeNamesUnique(NamesList& list, const std::vector<NameClash>& clashes,
                             ModelRow firstImported, const FolderNaming& folderName) {
  TakenNames taken(list, folderName);
  const std::vector<std::size_t> fields = fieldsByVariety(list);
  std::int64_t renamed = 0;
  const auto rename = [&](ModelRow row, const std::string& name) {
    if (list.setNameFromEdit(row, name)) ++renamed;
    taken.add(name);
  };

  for (const NameClash& clash : clashes) {
    std::vector<ModelRow> imported;
    std::copy_if(clash.rows.begin(), clash.rows.end(), std::back_inserter(imported),
                 [&](ModelRow row) { return row >= firstImported; });
    if (imported.empty()) continue;

    bool done = false;
    for (std::size_t field : fields) {
      if (const auto names = namesFromField(list, imported, field, taken, folderName)) {
        for (std::size_t i = 0; i < imported.size(); ++i) rename(imported[i], (*names)[i]);
        done = true;
        break;
      }
    }
    if (done) continue;

    // Numbers: the first of the clash keeps its name, whether it was there before or not.
    const bool firstIsImported = clash.rows.front() >= firstImported;
    for (std::size_t i = firstIsImported ? 1 : 0; i < imported.size(); ++i) {
      const std::string_view name = list.nameForModelRow(imported[i]);
      std::string unique;
      for (int n = 2; taken.contains(unique = withSuffix(name, std::to_string(n))); ++n) {
      }
      rename(imported[i], unique);
    }
  }
  return renamed;
}

}  // namespace vantrel::names
