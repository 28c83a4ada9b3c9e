// What filing reads of the application, kept where the filing thread can copy it without waiting
// for the window: the main thread publishes the person, tags, target folder and row on every
// change, and the counter's text whenever the operator or the application sets it; filing
// advances the counter here itself.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "filing_host.h"

namespace vantrel::filing {

class PublishedFilingState {
 public:
  // Everything but the counter, which stays as it is.
  void publish(const FilingSnapshot& snapshot);
  void setCounterText(std::string text);
  std::string counterText() const;
  // The latest values, the counter included.
  FilingSnapshot snapshot() const;
  // A capture takes number `next` - 1: the counter moves to `next` unless it already holds at
  // least that (a number the operator typed stays). True when its text changed.
  bool advanceCounterPast(std::int64_t next);

 private:
  mutable std::mutex mutex_;
  FilingSnapshot snapshot_;
};

}  // namespace vantrel::filing
