#include "delimited_text.h"

#include <algorithm>
#include <array>

#include "csv_line.h"

namespace vantrel::names {

namespace {

constexpr std::array<char, 3> kCandidates = {',', ';', '\t'};  // in order of preference
// The first title of the grid store and of every export.
constexpr std::string_view kOwnFirstTitle = "File Name";
constexpr std::size_t kSampleRecords = 20;

bool isBlank(const Record& record) {
  return std::all_of(record.begin(), record.end(), [](const std::string& c) { return c.empty(); });
}

// How many times each candidate occurs outside quotes in each of the first records.
std::array<std::vector<std::size_t>, kCandidates.size()> countDelimiters(std::string_view text,
                                                                         TextSource source) {
  std::array<std::vector<std::size_t>, kCandidates.size()> counts;
  std::array<std::size_t, kCandidates.size()> inRecord{};
  bool inQuotes = false;
  bool recordHasText = false;
  const auto endRecord = [&] {
    if (recordHasText) {
      for (std::size_t k = 0; k < kCandidates.size(); ++k) counts[k].push_back(inRecord[k]);
    }
    inRecord.fill(0);
    recordHasText = false;
  };
  for (std::size_t i = 0; i < text.size() && counts[0].size() < kSampleRecords; ++i) {
    const char c = text[i];
    if (c == '"') {
      inQuotes = !inQuotes;
    } else if ((c == '\n' || c == '\r') && !inQuotes) {
      endRecord();
    } else if (!inQuotes) {
      for (std::size_t k = 0; k < kCandidates.size(); ++k) {
        if (c != kCandidates[k]) continue;
        const bool nameComma =
            source == TextSource::Pasted && c == ',' && i + 1 < text.size() && text[i + 1] == ' ';
        if (!nameComma) ++inRecord[k];
      }
    }
    if (c != '\n' && c != '\r') recordHasText = true;
  }
  if (counts[0].size() < kSampleRecords) endRecord();
  return counts;
}

}  // namespace

std::optional<char> detectDelimiter(std::string_view text, TextSource source) {
  if (text.starts_with(kOwnFirstTitle) && text.size() > kOwnFirstTitle.size()) {
    const char next = text[kOwnFirstTitle.size()];
    if (std::find(kCandidates.begin(), kCandidates.end(), next) != kCandidates.end()) return next;
  }
  const auto counts = countDelimiters(text, source);
  if (counts[0].empty()) return std::nullopt;
  std::optional<char> consistent;
  std::size_t mostCells = 0;
  for (std::size_t k = 0; k < kCandidates.size(); ++k) {
    const auto& perRecord = counts[k];
    const std::size_t cuts = perRecord.front();
    if (cuts > mostCells && std::all_of(perRecord.begin(), perRecord.end(),
                                        [cuts](std::size_t n) { return n == cuts; })) {
      consistent = kCandidates[k];
      mostCells = cuts;
    }
  }
  if (consistent) return consistent;
  // Ragged lines (a program that leaves out trailing empty cells): the one splitting most lines.
  std::optional<char> best;
  std::size_t bestSplit = 0;
  for (std::size_t k = 0; k < kCandidates.size(); ++k) {  // comma wins a tie
    const auto& perRecord = counts[k];
    const auto split = static_cast<std::size_t>(
        std::count_if(perRecord.begin(), perRecord.end(), [](std::size_t n) { return n > 0; }));
    if (split > bestSplit) {
      best = kCandidates[k];
      bestSplit = split;
    }
  }
  return bestSplit * 2 >= counts[0].size() ? best : std::nullopt;
}

std::vector<Record> splitRecords(std::string_view text, char delimiter) {
  std::vector<Record> records;
  LineBreaks breaks = LineBreaks::EndRecordOutsideQuotes;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    bool openAtEnd = false;
    Record record = readDelimitedRecord(text, pos, delimiter, breaks, openAtEnd);
    if (openAtEnd && breaks != LineBreaks::EndRecord) {
      // A stray quote swallowed the rest of the text: read it again, line by line.
      breaks = LineBreaks::EndRecord;
      pos = start;
      record = readDelimitedRecord(text, pos, delimiter, breaks, openAtEnd);
    }
    if (!isBlank(record)) records.push_back(std::move(record));
  }
  return records;
}

}  // namespace vantrel::names
