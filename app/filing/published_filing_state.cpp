#include "published_filing_state.h"

#include "photo_counter.h"

namespace vantrel::filing {

void PublishedFilingState::publish(const FilingSnapshot& snapshot) {
  std::lock_guard lock(mutex_);
  std::string counter = std::move(snapshot_.counterText);
  snapshot_ = snapshot;
  snapshot_.counterText = std::move(counter);
}

void PublishedFilingState::setCounterText(std::string text) {
  std::lock_guard lock(mutex_);
  snapshot_.counterText = std::move(text);
}

std::string PublishedFilingState::counterText() const {
  std::lock_guard lock(mutex_);
  return snapshot_.counterText;
}

FilingSnapshot PublishedFilingState::snapshot() const {
  std::lock_guard lock(mutex_);
  return snapshot_;
}

bool PublishedFilingState::advanceCounterPast(std::int64_t next) {
  std::lock_guard lock(mutex_);
  const auto text = counterTextAfterFiling(snapshot_.counterText, next);
  if (!text) return false;
  snapshot_.counterText = *text;
  return true;
}

}  // namespace vantrel::filing
