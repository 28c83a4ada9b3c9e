#include "suffix_tags.h"

#include "entered_text.h"

namespace vantrel::filing {

SuffixTags::SuffixTags(std::vector<SuffixTag> tags) : tags_(std::move(tags)) {
  if (tags_.size() > kMaxSuffixTags) tags_.resize(kMaxSuffixTags);
}

SuffixTags SuffixTags::fromStored(const std::vector<StoredSuffixTag>& stored) {
  std::vector<SuffixTag> tags;
  for (const StoredSuffixTag& element : stored) {
    if (!element.isRecord || !element.label || element.label->empty()) continue;
    tags.push_back({*element.label, element.suffix.value_or(""), element.on});
  }
  return SuffixTags(std::move(tags));
}

std::vector<StoredSuffixTag> SuffixTags::toStored() const {
  std::vector<StoredSuffixTag> stored;
  for (const SuffixTag& tag : tags_) stored.push_back({true, tag.label, tag.suffix, tag.on});
  return stored;
}

std::string SuffixTags::enabledSuffixString() const {
  std::string suffixes;
  for (const SuffixTag& tag : tags_)
    if (tag.on) suffixes += tag.suffix;
  return suffixes;
}

bool SuffixTags::setOn(std::size_t index, bool on) {
  if (index >= tags_.size()) return false;
  tags_[index].on = on;
  return true;
}

void SuffixTags::turnAllOff() {
  for (SuffixTag& tag : tags_) tag.on = false;
}

void SuffixTags::replaceFromEditRows(const std::vector<SuffixTagEditRow>& rows) {
  std::vector<SuffixTag> tags;
  for (std::size_t i = 0; i < rows.size() && i < kMaxSuffixTags; ++i) {
    const std::string_view label = names::trimWhitespace(rows[i].label);
    if (label.empty()) continue;
    const bool on = i < tags_.size() && tags_[i].on;
    tags.push_back({std::string(label), std::string(names::trimWhitespace(rows[i].suffix)), on});
  }
  if (tags.empty()) tags.push_back({"FR", "_FR", false});
  tags_ = std::move(tags);
}

}  // namespace vantrel::filing
