// The rules behind the status card and the storage card.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::status {

struct StatusText {
  std::string text;
  std::string kind;  // "busy", "good", "neutral", "error" or "watching"
};

// The summary shown once a message has had its time.
StatusText readinessSummary(bool capturing, bool hasTargetFolder, bool hasNames);

// 512 B, 1.5 KB, 250 GB: binary units, one decimal below 100.
std::string compactStorageString(uint64_t bytes);

enum class StorageLevel { Plenty, Low, Critical, Unknown };

constexpr uint64_t kCriticalFreeBytes = 10ULL * 1024 * 1024 * 1024;
constexpr uint64_t kLowFreeBytes = 50ULL * 1024 * 1024 * 1024;

// A volume of total size 0 is one that could not be read; 0 bytes free on a volume of known size
// is a full disk, the most critical level of all.
StorageLevel storageLevel(uint64_t freeBytes, uint64_t totalBytes);

}  // namespace vantrel::status
