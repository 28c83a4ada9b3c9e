#include "verified_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>

#include "base64.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::pair<JournalEntry::Kind, std::string_view>, 4> kKindWords{{
    {JournalEntry::Kind::Record, "record"},
    {JournalEntry::Kind::Forget, "forget"},
    {JournalEntry::Kind::RenameFolder, "rename-folder"},
    {JournalEntry::Kind::RenamePhoto, "rename-photo"},
}};

// Fields: kind, path, other path (both in base64, so that tabs and line breaks in names cannot
// confuse the line), size, modification time, then the check sum of everything before it.
constexpr std::size_t kFields = 6;

// FNV-1a, 64 bits: enough to tell a line cut short or garbled from a whole one.
std::uint64_t checkSum(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::string hex(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

template <typename Number>
std::optional<Number> parseNumber(std::string_view text, int base = 10) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

std::string formatJournalLine(const JournalEntry& entry) {
  std::string_view word;
  for (const auto& [kind, name] : kKindWords)
    if (kind == entry.kind) word = name;
  std::string line(word);
  line += '\t' + encodeBase64(entry.path) + '\t' + encodeBase64(entry.other) + '\t' +
          std::to_string(entry.size) + '\t' + std::to_string(entry.modifiedNs);
  return line + '\t' + hex(checkSum(line)) + '\n';
}

std::optional<JournalEntry> parseJournalLine(std::string_view line) {
  const std::size_t lastTab = line.rfind('\t');
  if (lastTab == std::string_view::npos) return std::nullopt;
  const auto sum = parseNumber<std::uint64_t>(line.substr(lastTab + 1), 16);
  if (!sum || *sum != checkSum(line.substr(0, lastTab))) return std::nullopt;
  const std::vector<std::string_view> fields = splitFields(line);
  if (fields.size() != kFields) return std::nullopt;
  JournalEntry entry;
  bool known = false;
  for (const auto& [kind, name] : kKindWords) {
    if (fields[0] != name) continue;
    entry.kind = kind;
    known = true;
  }
  std::optional<std::string> path = decodeBase64(fields[1]);
  std::optional<std::string> other = decodeBase64(fields[2]);
  const auto size = parseNumber<std::uintmax_t>(fields[3]);
  const auto modified = parseNumber<std::int64_t>(fields[4]);
  if (!known || !path || !other || !size || !modified) return std::nullopt;
  entry.path = std::move(*path);
  entry.other = std::move(*other);
  entry.size = *size;
  entry.modifiedNs = *modified;
  return entry;
}

VerifiedJournal::VerifiedJournal(fs::path file) : file_(std::move(file)) {}

VerifiedJournal::~VerifiedJournal() {
  if (fd_ >= 0) ::close(fd_);
}

std::vector<JournalEntry> VerifiedJournal::read(bool& anything) const {
  std::vector<JournalEntry> entries;
  anything = false;
  const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return entries;
  std::string bytes;
  char buffer[16384];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  anything = !bytes.empty();
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) break;  // cut off by a crash
    std::optional<JournalEntry> entry =
        parseJournalLine(std::string_view(bytes).substr(start, end - start));
    if (!entry) break;  // what follows a damaged line may depend on it
    entries.push_back(std::move(*entry));
    start = end + 1;
  }
  return entries;
}

bool VerifiedJournal::open() {
  if (fd_ < 0) fd_ = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  return fd_ >= 0;
}

bool VerifiedJournal::append(const JournalEntry& entry) {
  if (!open()) return false;
  const std::string line = formatJournalLine(entry);
  std::string_view rest = line;
  while (!rest.empty()) {
    const ssize_t written = ::write(fd_, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  ++appended_;
  return true;
}

bool VerifiedJournal::clear() {
  appended_ = 0;
  if (!open()) return false;
  return ::ftruncate(fd_, 0) == 0 && ::fsync(fd_) == 0;
}

}  // namespace vantrel::backup
