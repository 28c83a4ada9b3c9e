// Options of the worker come from environment variables.
#pragma once

#include <string>

// The variable's value when it is set and not empty, else `fallback`.
std::string env_or(const char* name, const std::string& fallback);

// True exactly for "1", "true", "yes" or "on" (any case); an unset or empty variable gives
// `fallback`, and every other value, typos included, is false.
bool env_bool(const char* name, bool fallback);

// Byte-wise ASCII lower-casing.
std::string lower_ascii(std::string text);
std::string upper_ascii(std::string text);

// `cf`, `edsgetevent` or `both`; `runloop` and anything unknown become `cf`.
std::string normalize_pump_mode(const std::string& raw);

// One of the discovery strategies; `nohandler` becomes `list_only`, `ping` and anything unknown
// become `handshake`.
std::string normalize_detect_strategy(const std::string& raw);
