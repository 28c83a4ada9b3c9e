// Readiness summaries and the storage card's thresholds.
#include <gtest/gtest.h>

#include "status_rules.h"

using namespace vantrel::status;

namespace {

TEST(StatusRules, ReadinessSummary) {
  EXPECT_EQ(readinessSummary(true, false, false).text, "Capturing");
  EXPECT_EQ(readinessSummary(true, false, false).kind, "watching");
  EXPECT_EQ(readinessSummary(false, true, false).text, "No names");
  EXPECT_EQ(readinessSummary(false, true, true).text, "Waiting");
  EXPECT_EQ(readinessSummary(false, false, false).text, "Setup needed");
  EXPECT_EQ(readinessSummary(false, false, true).text, "No folder");
}

TEST(StatusRules, CompactStorage) {
  EXPECT_EQ(compactStorageString(512), "512 B");
  EXPECT_EQ(compactStorageString(1536), "1.5 KB");
  EXPECT_EQ(compactStorageString(250ULL << 30), "250 GB");
  EXPECT_EQ(compactStorageString(1023ULL << 50), "1023 PB");
  EXPECT_EQ(compactStorageString(0), "0 B");
}

TEST(StatusRules, StorageThresholds) {
  EXPECT_EQ(storageLevel(kCriticalFreeBytes, 1ULL << 40), StorageLevel::Critical);
  EXPECT_EQ(storageLevel(kCriticalFreeBytes + 1, 1ULL << 40), StorageLevel::Low);
  EXPECT_EQ(storageLevel(kLowFreeBytes, 1ULL << 40), StorageLevel::Low);
  EXPECT_EQ(storageLevel(kLowFreeBytes + 1, 1ULL << 40), StorageLevel::Plenty);
  // A full disk is critical, not unknown; only a volume of no known size is unknown.
  EXPECT_EQ(storageLevel(0, 1ULL << 40), StorageLevel::Critical);
  EXPECT_EQ(storageLevel(5, 0), StorageLevel::Unknown);
  EXPECT_EQ(storageLevel(0, 0), StorageLevel::Unknown);
}

}  // namespace
