#include "status_rules.h"

#include <array>
#include <cstdio>

#include "plural.h"

namespace vantrel::status {

StatusText readinessSummary(bool capturing, bool hasTargetFolder, bool hasNames) {
  if (capturing) return {"Capturing", "watching"};
  if (hasTargetFolder) return {hasNames ? "Waiting" : "No names", "busy"};
  return {hasNames ? "No folder" : "Setup needed", "busy"};
}

std::string compactStorageString(uint64_t bytes) {
  static constexpr std::array<const char*, 6> kUnits = {"B", "KB", "MB", "GB", "TB", "PB"};
  char text[64];
  if (bytes < 1024) {
    std::snprintf(text, sizeof text, "%.0f %s", static_cast<double>(bytes), kUnits[0]);
    return text;
  }
  double value = static_cast<double>(bytes);
  size_t unit = 0;
  while (value >= 1024.0 && unit + 1 < kUnits.size()) {
    value /= 1024.0;
    ++unit;
  }
  std::snprintf(text, sizeof text, value >= 100.0 ? "%.0f %s" : "%.1f %s", value, kUnits[unit]);
  return text;
}

StorageLevel storageLevel(uint64_t freeBytes, uint64_t totalBytes) {
  if (totalBytes == 0) return StorageLevel::Unknown;
  if (freeBytes <= kCriticalFreeBytes) return StorageLevel::Critical;
  if (freeBytes <= kLowFreeBytes) return StorageLevel::Low;
  return StorageLevel::Plenty;
}

}  // namespace vantrel::status
