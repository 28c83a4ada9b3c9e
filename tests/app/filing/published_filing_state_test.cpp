// The values filing reads without waiting for the window: a published person never mixes with
// another's row, and the counter only moves forward, past every number filing takes.
#include "published_filing_state.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "photo_counter.h"

namespace vantrel::filing {
namespace {

FilingSnapshot person(const std::string& name, names::ModelRow row) {
  FilingSnapshot snapshot;
  snapshot.personName = name;
  snapshot.captureRow = row;
  snapshot.targetFolder = "/photos";
  snapshot.suffixString = "_FR";
  return snapshot;
}

TEST(PublishedFilingState, PublishingAPersonKeepsTheCounterAndTheCounterKeepsThePerson) {
  PublishedFilingState state;
  state.setCounterText("41");
  state.publish(person("Ann", 0));
  EXPECT_EQ(state.snapshot().counterText, "41");
  state.setCounterText("7");
  const FilingSnapshot read = state.snapshot();
  EXPECT_EQ(read.personName, "Ann");
  EXPECT_EQ(read.captureRow, 0);
  EXPECT_EQ(read.suffixString, "_FR");
  EXPECT_EQ(read.counterText, "7");
}

TEST(PublishedFilingState, TheCounterMovesPastUsedNumbersButNeverBelowATypedOne) {
  PublishedFilingState state;
  state.setCounterText("3");
  EXPECT_TRUE(state.advanceCounterPast(4));
  EXPECT_EQ(state.counterText(), "4");
  state.setCounterText("100");  // typed by the operator while a photo was being filed
  EXPECT_FALSE(state.advanceCounterPast(5));
  EXPECT_EQ(state.counterText(), "100");
  state.setCounterText("");
  EXPECT_TRUE(state.advanceCounterPast(2));
  EXPECT_EQ(state.counterText(), "2");
}

TEST(PublishedFilingState, ConcurrentPublishingNeverTearsASnapshotOrLosesTheCounter) {
  PublishedFilingState state;
  state.setCounterText("1");
  std::atomic<bool> stop{false};
  std::thread publisher([&] {
    for (int i = 0; !stop; ++i) {
      state.publish(i % 2 == 0 ? person("Ann", 0) : person("Bob", 1));
    }
  });
  std::set<std::int64_t> taken;
  for (int shot = 0; shot < 2000; ++shot) {
    const FilingSnapshot read = state.snapshot();
    ASSERT_TRUE((read.personName == "Ann" && read.captureRow == 0) ||
                (read.personName == "Bob" && read.captureRow == 1) || read.personName.empty());
    const std::int64_t number = startNumber(read.counterText);
    ASSERT_TRUE(taken.insert(number).second) << "number " << number << " given twice";
    state.advanceCounterPast(number + 1);
  }
  stop = true;
  publisher.join();
  EXPECT_EQ(state.counterText(), "2001");
}

}  // namespace
}  // namespace vantrel::filing
