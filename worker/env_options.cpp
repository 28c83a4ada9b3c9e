#include "env_options.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

std::string env_or(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] == '\0') return fallback;
  return value;
}

bool env_bool(const char* name, bool fallback) {
  const std::string value = lower_ascii(env_or(name, fallback ? "1" : "0"));
  return value == "1" || value == "true" || value == "yes" || value == "on";
}

std::string lower_ascii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string upper_ascii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string normalize_pump_mode(const std::string& raw) {
  const std::string mode = lower_ascii(raw);
  if (mode == "edsgetevent" || mode == "both") return mode;
  return "cf";
}

std::string normalize_detect_strategy(const std::string& raw) {
  static constexpr std::array<std::string_view, 9> kKnown = {
      "v21",     "warm",    "both",   "list_only", "edsgetevent",
      "delayed", "cf_long", "matrix", "handshake"};
  const std::string strategy = lower_ascii(raw);
  if (std::find(kKnown.begin(), kKnown.end(), strategy) != kKnown.end()) return strategy;
  if (strategy == "nohandler") return "list_only";
  return "handshake";
}
