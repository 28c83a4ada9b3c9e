#include "mount_table.h"

#include "path_inside.h"

namespace vantrel::platform {

namespace {

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    std::size_t end = line.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(start, end - start));
    at = end;
  }
  return fields;
}

bool isOctalDigit(char c) {
  return c >= '0' && c <= '7';
}

// Both files write a space in a path as "\040", a tab as "\011", a backslash as "\134".
std::string unescapeOctal(std::string_view field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) &&
        isOctalDigit(field[i + 2]) && isOctalDigit(field[i + 3])) {
      text.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                       (field[i + 3] - '0')));
      i += 3;
    } else {
      text.push_back(field[i]);
    }
  }
  return text;
}

std::size_t componentCount(const std::filesystem::path& path) {
  std::size_t count = 0;
  for (const std::filesystem::path& part : path.lexically_normal())
    if (!part.empty()) ++count;
  return count;
}

template <typename Each>
void forEachLine(std::string_view text, Each each) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    each(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

MountTable MountTable::fromMountInfo(std::string_view text) {
  MountTable table;
  // "36 35 98:0 /root /mount/point options [optional fields...] - fstype source superoptions"
  forEachLine(text, [&table](std::string_view line) {
    const std::vector<std::string_view> fields = splitFields(line);
    if (fields.size() < 7) return;
    std::size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-") ++separator;
    if (separator + 2 >= fields.size()) return;
    table.entries_.push_back(MountSource{unescapeOctal(fields[separator + 2]),
                                         unescapeOctal(fields[separator + 1]),
                                         unescapeOctal(fields[4])});
  });
  return table;
}

MountTable MountTable::fromFstab(std::string_view text) {
  MountTable table;
  // "source mount-point type options [dump [pass]]"
  forEachLine(text, [&table](std::string_view line) {
    const std::vector<std::string_view> fields = splitFields(line);
    if (fields.size() < 3 || fields[0].front() == '#') return;
    table.entries_.push_back(
        MountSource{unescapeOctal(fields[0]), unescapeOctal(fields[2]), unescapeOctal(fields[1])});
  });
  return table;
}

std::optional<MountSource> MountTable::containing(
    const std::filesystem::path& path,
    const std::function<bool(const MountSource&)>& accept) const {
  const MountSource* best = nullptr;
  std::size_t bestDepth = 0;
  for (const MountSource& entry : entries_) {
    if (!entry.mountPoint.is_absolute() || (accept && !accept(entry))) continue;
    if (!relative_path_inside(entry.mountPoint, path)) continue;
    const std::size_t depth = componentCount(entry.mountPoint);
    if (!best || depth >= bestDepth) {
      best = &entry;
      bestDepth = depth;
    }
  }
  if (!best) return std::nullopt;
  return *best;
}

}  // namespace vantrel::platform
